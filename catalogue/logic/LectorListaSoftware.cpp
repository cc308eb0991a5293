#include "catalogue/logic/LectorListaSoftware.h"

#include "comun/logic/Motivos.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

namespace Corvala::LectorListaSoftware {

Resultado Leer(const QString &ruta, ListaDeSoftware &lista, const Receptor &receptor,
               const std::atomic<bool> *cancelar)
{
    QFile archivo(ruta);
    if (!QFileInfo(ruta).isFile())
        return Resultado::Fallo(Motivos::NoEsArchivoNormal());
    if (!archivo.open(QIODevice::ReadOnly))
        return Resultado::Fallo(Motivos::DeArchivo(archivo));
    if (archivo.size() > kMaximoDeBytes)
        return Resultado::Fallo(Motivos::OcupaMasDe(kMaximoDeBytes));
    // Read whole (the file is bounded): the reader is quicker over bytes in memory.
    const QByteArray bytes = archivo.read(kMaximoDeBytes + 1);
    if (bytes.size() > kMaximoDeBytes)
        return Resultado::Fallo(Motivos::OcupaMasDe(kMaximoDeBytes));
    lista.nombre = QFileInfo(ruta).completeBaseName();
    QXmlStreamReader xml(bytes);
    bool raiz = false;
    bool enItem = false;
    FichaSoftware item;
    QVector<FichaRomSoftware> roms;
    QString parte, area;
    QString *campo = nullptr;
    bool areaDeDisco = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QStringView nombre = xml.name();
            const QXmlStreamAttributes atributos = xml.attributes();
            const auto valor = [&atributos](const char *clave) {
                return atributos.value(QLatin1String(clave)).toString();
            };
            if (!raiz) {
                if (nombre != u"softwarelist")
                    return Resultado::Fallo(QStringLiteral("no es una lista de software"));
                raiz = true;
                if (const QString suyo = valor("name"); !suyo.isEmpty())
                    lista.nombre = suyo;
                lista.descripcion = valor("description");
            } else if (nombre == u"software") {
                enItem = true;
                item = FichaSoftware{lista.nombre,     valor("name"),      {}, {}, {},
                                     valor("cloneof"), valor("supported"), {}};
                roms.clear();
            } else if (!enItem) {
                continue;
            } else if (nombre == u"rom" || nombre == u"disk") {
                if (nombre == u"rom" && atributos.value(QLatin1String("name")).isEmpty())
                    continue; // a continuation (loadflag) of the previous file
                FichaRomSoftware rom;
                rom.parte = parte;
                rom.area = area;
                rom.nombre = valor("name");
                rom.tamano = atributos.value(QLatin1String("size")).toLongLong();
                rom.crc = valor("crc");
                rom.sha1 = valor("sha1");
                rom.estado = valor("status");
                rom.disco = nombre == u"disk" || areaDeDisco;
                roms.push_back(std::move(rom));
            } else if (nombre == u"part") {
                parte = valor("name");
            } else if (nombre == u"dataarea" || nombre == u"diskarea") {
                area = valor("name");
                areaDeDisco = nombre == u"diskarea";
            } else if (nombre == u"sharedfeat") {
                if (atributos.value(QLatin1String("name")) == u"compatibility")
                    item.compatibilidad = valor("value");
            } else if (nombre == u"description") {
                campo = &item.descripcion;
            } else if (nombre == u"year") {
                campo = &item.anio;
            } else if (nombre == u"publisher") {
                campo = &item.editor;
            }
        } else if (token == QXmlStreamReader::Characters && campo) {
            campo->append(xml.text());
        } else if (token == QXmlStreamReader::EndElement) {
            campo = nullptr;
            if (enItem && xml.name() == u"software") {
                enItem = false;
                if (cancelar && cancelar->load())
                    return Resultado::Fallo(QStringLiteral("cancelado"));
                if (!receptor(item, roms))
                    return Resultado::Fallo(QStringLiteral("demasiado software"));
            }
        }
    }
    if (xml.hasError())
        return Resultado::Fallo(QStringLiteral("no está bien formada (línea %1: %2)")
                                        .arg(xml.lineNumber())
                                        .arg(xml.errorString()));
    if (!raiz)
        return Resultado::Fallo(QStringLiteral("no es una lista de software"));
    return {};
}

} // namespace Corvala::LectorListaSoftware
