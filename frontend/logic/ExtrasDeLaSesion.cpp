#include "frontend/logic/ExtrasDeLaSesion.h"

#include "catalogue/logic/Catalogo.h"
#include "comun/logic/HiloDeFondo.h"
#include "comun/logic/Registro.h"
#include "extras/logic/Historia.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace Corvala {

namespace {

// The files whose change means reading again: ui.ini, mame.ini and every category file.
QString HuellaDeArchivos(const CarpetaMame &carpeta, const RutasDeExtras &rutas)
{
    QStringList partes;
    const auto anotar = [&partes](const QFileInfo &info) {
        partes << QStringLiteral("%1|%2|%3")
                          .arg(info.absoluteFilePath())
                          .arg(info.size())
                          .arg(info.exists() ? info.lastModified().toMSecsSinceEpoch() : 0);
    };
    anotar(QFileInfo(carpeta.Ruta(QStringLiteral("ui.ini"))));
    anotar(QFileInfo(carpeta.Ruta(QStringLiteral("mame.ini"))));
    for (const QString &ruta : rutas.categorias) {
        for (const QFileInfo &info :
             QDir(ruta).entryInfoList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name))
            anotar(info);
    }
    for (const QStringList &carpetas : rutas.imagenes) {
        for (const QString &ruta : carpetas) {
            partes << QString::number(QFileInfo(ruta).isDir())
                   << QString::number(QFileInfo(ruta + QStringLiteral(".zip")).isFile());
        }
    }
    return partes.join(QLatin1Char('\n'));
}

} // namespace

ExtrasDeLaSesion::~ExtrasDeLaSesion()
{
    m_otraVez.reset();
    HiloDeFondo::Detener(m_hilo, m_cancelar, m_generacion, this);
}

QString ExtrasDeLaSesion::Historia(const QStringList &claves) const
{
    return m_actuales.historia.isEmpty() ? QString() : Historia::Texto(m_actuales.historia, claves);
}

void ExtrasDeLaSesion::Leer(const CarpetaMame &carpeta)
{
    if (m_hilo) {
        m_otraVez = carpeta;
        return;
    }
    m_cancelar = false;
    struct Fin
    {
        std::optional<ExtrasDeCarpeta> extras; // nothing: nothing changed
        QString historia;
        QStringList avisos;
    };
    auto fin = std::make_shared<Fin>();
    m_hilo = QThread::create([fin, carpeta, anterior = m_actuales, this] {
        const RutasDeExtras rutas = RutasDeExtras::Leer(carpeta);
        const QString base = Catalogo::Ruta(carpeta);
        // The history: indexed again when the file changed or the database lost its index
        // (a new catalogue takes the database's place).
        const QString archivo = Historia::Archivo(rutas.historia);
        fin->historia = anterior.historia;
        if (archivo.isEmpty()) {
            fin->historia.clear();
        } else if (!QFileInfo(base).isFile()) {
            fin->historia.clear();
            fin->avisos << archivo + QStringLiteral(": sin corvala.db no se puede indexar");
        } else if (Historia::HuellaGuardada(base) != Historia::Huella(archivo)) {
            const Resultado hecho = Historia::Indexar(base, archivo, &m_cancelar);
            if (!hecho)
                fin->avisos << archivo + QStringLiteral(": ") + hecho.Motivo();
            fin->historia = Historia::HuellaGuardada(base).isEmpty() ? QString() : base;
        } else {
            fin->historia = base;
        }
        const QString huella = HuellaDeArchivos(carpeta, rutas);
        if (huella == anterior.huella && fin->historia == anterior.historia)
            return;
        ExtrasDeCarpeta extras;
        extras.huella = huella;
        extras.historia = fin->historia;
        extras.clasificacion = huella == anterior.huella
                                       ? anterior.clasificacion
                                       : std::make_shared<const Clasificacion>(
                                               Clasificacion::Leer(rutas.categorias, &fin->avisos));
        extras.imagenes = std::make_shared<const AlmacenDeImagenes>(rutas);
        fin->extras = std::move(extras);
    });
    connect(m_hilo, &QThread::finished, this, [this, fin, generacion = m_generacion] {
        if (generacion != m_generacion)
            return;
        m_hilo->wait();
        m_hilo->deleteLater();
        m_hilo = nullptr;
        for (const QString &aviso : std::as_const(fin->avisos))
            qCWarning(lcExtras) << "skipped:" << aviso;
        if (fin->extras) {
            m_actuales = std::move(*fin->extras);
            Q_EMIT leidos();
        }
        if (m_otraVez)
            Leer(*std::exchange(m_otraVez, std::nullopt));
    });
    m_hilo->start();
}

} // namespace Corvala
