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

// The files whose change means reading again: ui.ini, mame.ini and the category files.
QString HuellaDeArchivos(const CarpetaMame &carpeta, const RutasDeExtras &rutas,
                         const QFileInfoList &categorias)
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
    for (const QFileInfo &info : categorias)
        anotar(info);
    for (const QStringList &carpetas : rutas.imagenes) {
        for (const QString &ruta : carpetas) {
            partes << QString::number(QFileInfo(ruta).isDir())
                   << QString::number(QFileInfo(ruta + QStringLiteral(".zip")).isFile());
        }
    }
    return partes.join(QLatin1Char('\n'));
}

} // namespace

ExtrasDeLaSesion::ExtrasDeLaSesion(QObject *parent)
    : QObject(parent)
{
    m_cambio.setSingleShot(true);
    m_cambio.setInterval(1000);
    connect(&m_cambio, &QTimer::timeout, this, [this] {
        if (m_carpeta)
            Leer(*m_carpeta);
    });
    for (const auto senal :
         {&QFileSystemWatcher::fileChanged, &QFileSystemWatcher::directoryChanged})
        connect(&m_vigilante, senal, &m_cambio, qOverload<>(&QTimer::start));
}

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
        QStringList vigilar; // the files and folders whose change is read unasked
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
            // A failure leaves the index there was, if any.
            fin->historia = hecho || !Historia::HuellaGuardada(base).isEmpty() ? base : QString();
        } else {
            fin->historia = base;
        }
        // A file written in place is seen only by a watch of its own; one added, by its folder's.
        for (const QString &ruta :
             QStringList{carpeta.Ruta(QStringLiteral("ui.ini")), archivo} + rutas.categorias) {
            if (!ruta.isEmpty() && QFileInfo::exists(ruta))
                fin->vigilar << ruta;
        }
        const QFileInfoList categorias = Clasificacion::Archivos(rutas.categorias);
        for (const QFileInfo &ini : categorias)
            fin->vigilar << ini.filePath();
        const QString huella = HuellaDeArchivos(carpeta, rutas, categorias);
        if (huella == anterior.huella && fin->historia == anterior.historia)
            return;
        ExtrasDeCarpeta extras;
        extras.huella = huella;
        extras.historia = fin->historia;
        extras.clasificacion = huella == anterior.huella
                                       ? anterior.clasificacion
                                       : std::make_shared<const Clasificacion>(
                                               Clasificacion::Leer(categorias, &fin->avisos));
        extras.imagenes = std::make_shared<const AlmacenDeImagenes>(rutas);
        fin->extras = std::move(extras);
    });
    m_carpeta = carpeta;
    connect(m_hilo, &QThread::finished, this, [this, fin, generacion = m_generacion] {
        if (generacion != m_generacion)
            return;
        HiloDeFondo::Soltar(m_hilo);
        for (const QString &aviso : std::as_const(fin->avisos))
            qCWarning(lcExtras) << "skipped:" << aviso;
        // A file replaced is no longer the one watched: the paths are set anew each time.
        const QStringList vigilados = m_vigilante.files() + m_vigilante.directories();
        if (!vigilados.isEmpty())
            m_vigilante.removePaths(vigilados);
        if (!fin->vigilar.isEmpty())
            m_vigilante.addPaths(fin->vigilar);
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
