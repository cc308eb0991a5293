#include "comun/logic/GetINIs.h"

#include "comun/logic/ArchivoTexto.h"

namespace Corvala {

namespace {
constexpr qsizetype kLargoMaximo = 254;
}

ArchivoIni ArchivoIni::DesdeTexto(const QString &texto)
{
    ArchivoIni ini;
    ini.m_secciones.push_back({}); // lines before the first section header
    for (const QString &linea : ArchivoTexto::PartirLineas(texto)) {
        const QString limpia = linea.trimmed();
        if (limpia.isEmpty() || limpia.startsWith(QLatin1Char(';')))
            continue;
        if (limpia.startsWith(QLatin1Char('['))) {
            qsizetype cierre = limpia.indexOf(QLatin1Char(']'));
            if (cierre < 0)
                cierre = limpia.size();
            ini.m_secciones.push_back({limpia.mid(1, cierre - 1).trimmed(), {}});
            continue;
        }
        const qsizetype igual = limpia.indexOf(QLatin1Char('='));
        Entrada entrada;
        entrada.clave = (igual < 0 ? limpia : limpia.left(igual)).trimmed();
        if (igual >= 0)
            entrada.valor = limpia.mid(igual + 1).trimmed();
        ini.m_secciones.back().entradas.push_back(std::move(entrada));
    }
    return ini;
}

ArchivoIni ArchivoIni::Leer(const QString &ruta)
{
    return DesdeTexto(ArchivoTexto::LeerTexto(ruta).value_or(QString()));
}

QString ArchivoIni::Valor(const QString &seccion, const QString &clave,
                          const QString &porDefecto) const
{
    for (const Seccion &s : m_secciones) {
        if (s.nombre.compare(seccion, Qt::CaseInsensitive) != 0)
            continue;
        for (const Entrada &e : s.entradas) {
            if (e.clave.compare(clave, Qt::CaseInsensitive) == 0)
                return e.valor.isEmpty() ? porDefecto : e.valor.left(kLargoMaximo);
        }
        break; // only the first section of that name is searched
    }
    return porDefecto;
}

QString LeerValorINI(const QString &archivo, const QString &seccion, const QString &clave,
                     const QString &porDefecto)
{
    return ArchivoIni::Leer(archivo).Valor(seccion, clave, porDefecto);
}

} // namespace Corvala
