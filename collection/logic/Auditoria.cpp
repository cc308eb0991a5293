#include "collection/logic/Auditoria.h"

#include "catalogue/logic/Catalogo.h"
#include "collection/logic/JuicioDeMaquinas.h"
#include "collection/logic/VeredictosGuardados.h"
#include "comun/logic/BaseSqlite.h"
#include "comun/logic/CarpetaMame.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

#include <thread>

namespace Corvala {

namespace {

// What judging needs of the catalogue kept in corvala.db.
DetallesDeAuditoria LeerDetalles(BaseSqlite &base)
{
    DetallesDeAuditoria d;
    const auto fallar = [&d, &base] {
        d.motivo = base.Motivo();
        return std::move(d);
    };
    {
        BaseSqlite::Consulta filas(
                base, "SELECT nombre, rom_de, es_bios, es_dispositivo, muestras_de FROM maquinas");
        while (filas.Siguiente()) {
            DetallesDeAuditoria::Maquina m;
            m.nombre = filas.Texto(0);
            m.romDe = filas.Texto(1);
            m.esBios = filas.Entero(2) != 0;
            m.esDispositivo = filas.Entero(3) != 0;
            m.muestrasDe = filas.Texto(4);
            d.Agregar(std::move(m));
        }
        if (!filas.Bien())
            return fallar();
    }
    d.Enlazar();

    // A set's rows lie together: its name is looked up once.
    const auto numero = [&d](BaseSqlite::Consulta &filas, QByteArray &anterior, int &actual) {
        int bytes = 0;
        const char *texto = filas.Utf8(0, &bytes);
        if (actual < 0 || anterior != QByteArrayView(texto, bytes)) {
            anterior = QByteArray(texto, bytes);
            actual = d.numeros.value(QString::fromUtf8(anterior), -1);
        }
        return actual;
    };
    {
        BaseSqlite::Consulta filas(
                base, "SELECT maquina, nombre, tamano, crc, fusion, estado, opcional FROM roms");
        QByteArray anterior;
        int actual = -1;
        while (filas.Siguiente()) {
            const int m = numero(filas, anterior, actual);
            if (m < 0)
                continue;
            DetallesDeAuditoria::Rom rom;
            rom.nombre = filas.Texto(1);
            rom.tamano = filas.Entero(2);
            int bytes = 0;
            const char *crc = filas.Utf8(3, &bytes);
            rom.crc = QByteArrayView(crc, bytes).toUInt(&rom.conCrc, 16);
            rom.fusion = filas.Texto(4);
            const QByteArrayView estado(filas.Utf8(5));
            rom.sinVolcado = estado == "nodump";
            rom.dudoso = estado == "baddump";
            rom.conCrc = rom.conCrc && !rom.sinVolcado;
            rom.opcional = filas.Entero(6) != 0;
            d.maquinas[m].roms.append(std::move(rom));
        }
        if (!filas.Bien())
            return fallar();
    }
    {
        BaseSqlite::Consulta filas(
                base, "SELECT maquina, nombre, sha1, fusion, estado, opcional FROM discos");
        while (filas.Siguiente()) {
            const int m = d.numeros.value(filas.Texto(0), -1);
            if (m >= 0)
                d.maquinas[m].discos.append({filas.Texto(1), filas.Texto(2).toLower(),
                                             filas.Texto(3), filas.Texto(4), filas.Entero(5) != 0});
        }
        if (!filas.Bien())
            return fallar();
    }
    {
        BaseSqlite::Consulta filas(base, "SELECT maquina, nombre FROM muestras");
        while (filas.Siguiente()) {
            const int m = d.numeros.value(filas.Texto(0), -1);
            if (m >= 0)
                d.maquinas[m].muestras << filas.Texto(1);
        }
        if (!filas.Bien())
            return fallar();
    }
    {
        // 700,000 rows, of which only the devices with ROMs of their own matter.
        QHash<QByteArray, int> conRoms;
        for (int k = 0; k < d.maquinas.size(); ++k) {
            if (d.maquinas[k].esDispositivo && !d.maquinas[k].roms.isEmpty())
                conRoms.insert(d.maquinas[k].nombre.toUtf8(), k);
        }
        BaseSqlite::Consulta filas(base, "SELECT maquina, dispositivo FROM dispositivos");
        QByteArray anterior;
        int actual = -1;
        while (filas.Siguiente()) {
            int bytes = 0;
            const char *texto = filas.Utf8(1, &bytes);
            const int dispositivo = conRoms.value(QByteArray::fromRawData(texto, bytes), -1);
            if (dispositivo < 0)
                continue;
            const int m = numero(filas, anterior, actual);
            if (m >= 0 && m != dispositivo && !d.maquinas[m].dispositivos.contains(dispositivo))
                d.maquinas[m].dispositivos.append(dispositivo);
        }
        if (!filas.Bien())
            return fallar();
    }
    return d;
}

// A fingerprint of a folder's entries as they are now (names, sizes and dates).
QString HuellaDeCarpeta(const QString &ruta)
{
    QCryptographicHash huella(QCryptographicHash::Sha1);
    for (const QFileInfo &entrada :
         QDir(ruta).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        huella.addData(QStringLiteral("%1\t%2\t%3\n")
                               .arg(entrada.fileName())
                               .arg(entrada.size())
                               .arg(entrada.lastModified().toMSecsSinceEpoch())
                               .toUtf8());
    return QString::fromLatin1(huella.result().toHex());
}

// The sample files of a set in the samples folder, as a zip or a folder; names in lower case.
QSet<QString> ArchivosDeMuestras(const QString &carpetaMuestras, const QString &conjunto)
{
    QSet<QString> archivos;
    const QDir carpeta(carpetaMuestras);
    const DirectorioZip zip
            = DirectorioZip::Leer(carpeta.filePath(conjunto + QLatin1String(".zip")));
    for (const DirectorioZip::Archivo &a : zip.archivos)
        archivos.insert(a.nombre.toLower());
    for (const QString &suelto : QDir(carpeta.filePath(conjunto)).entryList(QDir::Files))
        archivos.insert(suelto.toLower());
    return archivos;
}

} // namespace

namespace Auditoria {

ResultadoAuditoria Auditar(const CarpetaMame &carpeta, bool detalles,
                           const std::atomic<bool> *cancelar, bool ligera)
{
    ResultadoAuditoria resultado;
    const auto cancelado = [cancelar, &resultado] {
        if (cancelar && cancelar->load()) {
            resultado.veredictos.clear();
            resultado.motivo = QStringLiteral("cancelada");
            return true;
        }
        return false;
    };
    const QString ruta = Catalogo::Ruta(carpeta);
    if (!QFileInfo(ruta).isFile()) {
        resultado.motivo = QStringLiteral("no hay catálogo");
        return resultado;
    }
    BaseSqlite base;
    if (!base.Abrir(ruta, false)) {
        resultado.motivo = base.Motivo();
        return resultado;
    }
    QString sello;
    {
        BaseSqlite::Consulta filas(base, "SELECT version, huella FROM catalogo");
        if (!filas.Siguiente()) {
            resultado.motivo = filas.Bien()
                                       ? QStringLiteral("el catálogo no dice de qué emulador es")
                                       : base.Motivo();
            return resultado;
        }
        sello = filas.Texto(0) + QLatin1Char('\n') + filas.Texto(1);
    }
    if (const QString motivo = VeredictosGuardados::CrearTablas(base); !motivo.isEmpty()) {
        resultado.motivo = motivo;
        return resultado;
    }

    // The folder as it is now: when the catalogue and it are as the last audit found them, its
    // verdicts stand.
    const QString roms = carpeta.Ruta(QStringLiteral("roms"));
    const QString muestras = carpeta.Ruta(QStringLiteral("samples"));
    // Kept as two: the folder's own entries, then every file of its sets' folders too.
    const QString deMuestras = HuellaDeCarpeta(muestras);
    const auto huella = [&sello, &deMuestras](const QString &deRoms) {
        return QString::fromLatin1(QCryptographicHash::hash((sello + QLatin1Char('\n') + deRoms
                                                             + QLatin1Char('\n') + deMuestras)
                                                                    .toUtf8(),
                                                            QCryptographicHash::Sha1)
                                           .toHex());
    };
    const auto huellas = [&huella](const ContenidoDeRoms &contenido) {
        return huella(contenido.huellaLigera) + QLatin1Char(' ') + huella(contenido.huella);
    };
    const auto archivos = [&resultado](const ContenidoDeRoms &contenido) {
        for (const ContenidoDeRoms::Conjunto &conjunto : contenido.conjuntos) {
            resultado.archivos.insert(conjunto.nombre);
            if (!conjunto.motivo.isEmpty())
                resultado.ilegibles.insert(conjunto.nombre, conjunto.motivo);
        }
    };
    if (!detalles) {
        // The folder is listed while the last verdicts are read: both take a while.
        ContenidoDeRoms listado;
        std::thread listar(
                [&listado, &roms, ligera] { listado = ContenidoDeRoms::Listar(roms, !ligera); });
        ResultadoAuditoria guardado;
        const bool hay = VeredictosGuardados::Leer(base, guardado);
        listar.join();
        const bool igual = ligera ? guardado.huella.section(QLatin1Char(' '), 0, 0)
                                            == huella(listado.huellaLigera)
                                  : guardado.huella == huellas(listado);
        if (hay && igual) {
            resultado.huella = guardado.huella;
            resultado.veredictos = std::move(guardado.veredictos);
            resultado.guardado = true;
            resultado.carpetasPorComprobar
                    = ligera
                      && std::any_of(listado.conjuntos.cbegin(), listado.conjuntos.cend(),
                                     [](const ContenidoDeRoms::Conjunto &c) { return c.carpeta; });
            archivos(listado);
            resultado.ilegibles = ContenidoDeRoms::IlegiblesGuardados(base);
            return resultado;
        }
    }
    // The catalogue's details are read while the folder's archives are.
    DetallesDeAuditoria catalogo;
    std::thread detallar([&catalogo, &ruta] {
        BaseSqlite suya;
        if (!suya.Abrir(ruta, true))
            catalogo.motivo = suya.Motivo();
        else
            catalogo = LeerDetalles(suya);
    });
    ContenidoDeRoms contenido = ContenidoDeRoms::Leer(roms, ruta, cancelar);
    detallar.join();
    if (cancelado())
        return resultado;
    resultado.leidos = contenido.leidos;
    resultado.motivoAlGuardar = contenido.motivoDeLaBase;
    resultado.huella = huellas(contenido);
    archivos(contenido);

    if (!catalogo.motivo.isEmpty()) {
        resultado.motivo = catalogo.motivo;
        return resultado;
    }
    JuicioDeMaquinas auditor(catalogo, contenido, [&muestras](const QString &conjunto) {
        return ArchivosDeMuestras(muestras, conjunto);
    });
    for (int m = 0; m < catalogo.maquinas.size(); ++m) {
        if ((m & 1023) == 0 && cancelado())
            return resultado;
        if (!auditor.Candidata(m))
            continue;
        if (const std::optional<Veredicto> &v = auditor.Juzgado(m))
            resultado.veredictos.insert(catalogo.maquinas[m].nombre, *v);
    }
    if (const QString motivo = VeredictosGuardados::Guardar(base, resultado); !motivo.isEmpty())
        resultado.motivoAlGuardar = motivo;
    if (detalles)
        resultado.contenido = std::move(contenido);
    return resultado;
}

void ClonesEnElPadre(ResultadoAuditoria &resultado, const Catalogo &catalogo)
{
    resultado.enElPadre.clear();
    for (auto v = resultado.veredictos.cbegin(); v != resultado.veredictos.cend(); ++v) {
        if (v->estado == Veredicto::Estado::Incorrecto || resultado.archivos.contains(v.key()))
            continue;
        const FichaMaquina *maquina = catalogo.Maquina(v.key());
        if (maquina && !maquina->clonDe.isEmpty() && !maquina->esDispositivo
            && resultado.archivos.contains(maquina->clonDe))
            resultado.enElPadre.insert(v.key(), maquina->clonDe);
    }
}

} // namespace Auditoria
} // namespace Corvala
