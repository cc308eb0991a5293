#include "collection/logic/SistemaDeSoftware.h"

#include "catalogue/logic/Catalogo.h"
#include "catalogue/logic/FichaSoftware.h"
#include "collection/logic/Auditoria.h"

#include <algorithm>

namespace Corvala::SistemaDeSoftware {

bool Compatible(const QString &filtro, const QString &compatibilidad)
{
    if (filtro.isEmpty() || compatibilidad.isEmpty())
        return true;
    const QStringList tiene = compatibilidad.split(QLatin1Char(','), Qt::SkipEmptyParts);
    bool pide = false;
    for (const QString &parte : filtro.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (parte.startsWith(QLatin1Char('!'))) {
            if (tiene.contains(parte.mid(1)))
                return false;
        } else {
            pide = true;
            if (tiene.contains(parte))
                return true;
        }
    }
    return !pide;
}

bool PuedeFuncionar(const Catalogo &catalogo, const ResultadoAuditoria *auditoria,
                    const QString &maquina, QString *motivo)
{
    if (!auditoria)
        return true;
    const FichaMaquina *ficha = catalogo.Maquina(maquina);
    if (!ficha)
        return false;
    if (const Veredicto *v = auditoria->De(ficha->nombre)) {
        if (v->estado != Veredicto::Estado::Incorrecto)
            return true;
        if (motivo)
            *motivo = QStringLiteral("%1 (%2): %3")
                              .arg(ficha->descripcion, ficha->nombre, v->motivo);
        return false;
    }
    if (catalogo.CuentaDe(ficha->nombre).roms == 0)
        return true;
    if (motivo)
        *motivo = QStringLiteral("%1 (%2): faltan los archivos del sistema (%3.zip).")
                          .arg(ficha->descripcion, ficha->nombre,
                               ficha->romDe.isEmpty() ? ficha->nombre : ficha->romDe);
    return false;
}

QStringList Maquinas(const Catalogo &catalogo, const ResultadoAuditoria *auditoria,
                     const FichaSoftware &item)
{
    struct Opcion
    {
        qint32 numero;
        bool puede;
        bool clon;
        bool suya; // named as the list: nes for nes, a7800 for a7800
    };
    QVector<Opcion> opciones;
    for (const qint32 numero : catalogo.MaquinasDeLista(item.lista)) {
        const FichaMaquina &ficha = catalogo.Ficha(numero);
        const bool acepta
                = std::any_of(ficha.listasDeSoftware.cbegin(), ficha.listasDeSoftware.cend(),
                              [&item](const FichaMaquina::ListaDeSoftware &l) {
                                  return l.lista == item.lista && l.estado != u"compatible"
                                         && Compatible(l.filtro, item.compatibilidad);
                              });
        if (acepta && ficha.ejecutable)
            opciones.append({numero, PuedeFuncionar(catalogo, auditoria, ficha.nombre),
                             !ficha.clonDe.isEmpty(), ficha.nombre == item.lista});
    }
    std::stable_sort(opciones.begin(), opciones.end(), [](const Opcion &a, const Opcion &b) {
        if (a.puede != b.puede)
            return a.puede;
        if (a.clon != b.clon)
            return !a.clon;
        return a.suya && !b.suya;
    });
    QStringList nombres;
    for (const Opcion &opcion : std::as_const(opciones))
        nombres << catalogo.Ficha(opcion.numero).nombre;
    return nombres;
}

QString SinMaquina(const Catalogo &catalogo, const ResultadoAuditoria *auditoria,
                   const QString &lista, const QStringList &maquinas, const QString &sistema)
{
    if (maquinas.isEmpty())
        return QStringLiteral("Ninguna máquina del emulador carga la lista %1.").arg(lista);
    QString porQue;
    if (PuedeFuncionar(catalogo, auditoria, sistema, &porQue))
        return {};
    return QStringLiteral("Ninguna máquina de la lista puede funcionar. %1").arg(porQue);
}

} // namespace Corvala::SistemaDeSoftware
