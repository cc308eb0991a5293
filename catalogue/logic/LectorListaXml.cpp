#include "catalogue/logic/LectorListaXml.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace Corvala {

namespace {

// The elements of a machine that Corvala does not keep, in byte order for a binary search.
constexpr std::array<QByteArrayView, 21> kSinInteres = {
        "adjuster",    "analog",     "chip",    "condition",   "configuration", "conflocation",
        "confsetting", "control",    "device",  "diplocation", "dipswitch",     "dipvalue",
        "display",     "extension",  "feature", "instance",    "port",          "ramoption",
        "slot",        "slotoption", "sound",
};

// The longest line the filter holds until its end.
constexpr qsizetype kLineaMaxima = 1024 * 1024;

bool SinInteres(QByteArrayView nombre)
{
    return std::binary_search(kSinInteres.begin(), kSinInteres.end(), nombre);
}

bool EsLetraDeNombre(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The name of the element a line opens (after its indentation), or nothing.
QByteArrayView ElementoQueAbre(QByteArrayView linea)
{
    qsizetype i = 0;
    while (i < linea.size() && (linea[i] == ' ' || linea[i] == '\t'))
        ++i;
    if (i + 1 >= linea.size() || linea[i] != '<')
        return {};
    const qsizetype inicio = ++i;
    while (i < linea.size() && EsLetraDeNombre(linea[i]))
        ++i;
    // A name is followed by a blank, ">" or "/>"; anything else (a declaration, a closing
    // tag) opens no element.
    if (i == inicio || i >= linea.size()
        || (linea[i] != ' ' && linea[i] != '>' && linea[i] != '/' && linea[i] != '\t'))
        return {};
    return linea.sliced(inicio, i - inicio);
}

// What a line that opens an element holds of it: that element alone, whole ("<x .../>" or
// "<x>...</x>"); its start tag alone, its content on the lines below; or more than that
// (another element beside it), which only the XML reader can take apart.
enum class Linea { Entera, Abierta, Mezclada };

Linea ComoEs(QByteArrayView linea, QByteArrayView nombre)
{
    const QByteArrayView texto = linea.trimmed();
    const qsizetype etiquetas = texto.count('<');
    if (etiquetas == 1)
        return texto.endsWith("/>") ? Linea::Entera : Linea::Abierta;
    const QByteArray cierre = "</" + nombre.toByteArray() + '>';
    if (etiquetas == 2 && texto.endsWith(cierre))
        return Linea::Entera;
    return Linea::Mezclada;
}

// Where an element of that name opens in the line from a place on, or -1.
qsizetype AperturaDe(QByteArrayView linea, QByteArrayView nombre, qsizetype desde)
{
    for (qsizetype p = linea.indexOf('<', desde); p >= 0; p = linea.indexOf('<', p + 1)) {
        const qsizetype fin = p + 1 + nombre.size();
        if (fin < linea.size() && linea.sliced(p + 1, nombre.size()) == nombre
            && !EsLetraDeNombre(linea[fin]))
            return p;
    }
    return -1;
}

int Numero(QStringView texto)
{
    bool bien = false;
    const int valor = texto.toInt(&bien);
    return bien ? valor : 0;
}

} // namespace

LectorListaXml::LectorListaXml(Receptor receptor)
    : m_receptor(std::move(receptor))
{
    // The list uses no namespaces: the reader need not look for them in every name.
    m_xml.setNamespaceProcessing(false);
}

bool LectorListaXml::Anadir(QByteArrayView bytes)
{
    if (m_fallido)
        return false;
    if (m_sinFiltro) {
        m_xml.addData(bytes.toByteArray());
        return Leer();
    }
    QByteArray salida;
    salida.reserve(bytes.size() / 3);
    qsizetype desde = 0;
    while (desde < bytes.size()) {
        const void *fin = std::memchr(bytes.data() + desde, '\n', size_t(bytes.size() - desde));
        if (!fin)
            break;
        const qsizetype hasta = static_cast<const char *>(fin) - bytes.data() + 1;
        if (m_resto.isEmpty()) {
            Filtrar(bytes.sliced(desde, hasta - desde), salida);
        } else {
            m_resto.append(bytes.sliced(desde, hasta - desde));
            Filtrar(m_resto, salida);
            m_resto.clear();
        }
        desde = hasta;
    }
    m_resto.append(bytes.sliced(desde));
    // Output that is not written a line at a time goes to the reader as it comes: its lines
    // are not held whole.
    if (m_resto.size() > kLineaMaxima) {
        if (!m_saltando.isEmpty()) {
            m_fallido = true;
            return false;
        }
        m_sinFiltro = true;
        salida.append(m_resto);
        m_resto.clear();
    }
    m_xml.addData(salida);
    return Leer();
}

void LectorListaXml::Filtrar(QByteArrayView linea, QByteArray &salida)
{
    if (!m_saltando.isEmpty()) {
        // Inside a dropped element: elements of the same name may open in it, and its end may
        // share a line with what follows it, which the reader then takes.
        qsizetype p = 0;
        while (true) {
            const qsizetype abre = AperturaDe(linea, m_saltando, p);
            const qsizetype cierra = linea.indexOf(m_cierre, p);
            if (abre < 0 && cierra < 0)
                return;
            if (abre >= 0 && (cierra < 0 || abre < cierra)) {
                const qsizetype fin = linea.indexOf('>', abre);
                if (fin < 0 || linea[fin - 1] != '/')
                    ++m_profundidad;
                if (fin < 0)
                    return;
                p = fin + 1;
                continue;
            }
            p = cierra + m_cierre.size();
            if (m_profundidad-- == 0) {
                m_saltando.clear();
                const QByteArrayView resto = linea.sliced(p);
                if (!resto.trimmed().isEmpty())
                    salida.append(resto);
                return;
            }
        }
    }
    const QByteArrayView abre = ElementoQueAbre(linea);
    if (!abre.isEmpty() && SinInteres(abre)) {
        switch (ComoEs(linea, abre)) {
        case Linea::Entera:
            return;
        case Linea::Abierta:
            m_saltando = abre.toByteArray();
            m_cierre = "</" + m_saltando + '>';
            m_profundidad = 0;
            return;
        case Linea::Mezclada:
            break;
        }
    }
    salida.append(linea);
}

bool LectorListaXml::Terminar()
{
    if (m_fallido)
        return false;
    if (!m_resto.isEmpty()) {
        QByteArray salida;
        Filtrar(m_resto, salida);
        m_resto.clear();
        m_xml.addData(salida);
        if (!Leer())
            return false;
    }
    return m_raiz && m_xml.tokenType() == QXmlStreamReader::EndDocument && !m_xml.hasError();
}

QString LectorListaXml::Error() const
{
    if (m_xml.hasError() && m_xml.error() != QXmlStreamReader::PrematureEndOfDocumentError)
        return QStringLiteral("línea %1 del XML: %2")
                .arg(m_xml.lineNumber())
                .arg(m_xml.errorString());
    if (!m_saltando.isEmpty() && m_fallido)
        return QStringLiteral("un elemento <%1> sin su final").arg(QString::fromLatin1(m_saltando));
    if (!m_raiz)
        return QStringLiteral("lo que ha escrito no es la lista de máquinas del emulador");
    if (m_xml.tokenType() != QXmlStreamReader::EndDocument)
        return QStringLiteral("la lista de máquinas está cortada (línea %1)")
                .arg(m_xml.lineNumber());
    return QStringLiteral("la lista de máquinas no se puede leer");
}

bool LectorListaXml::Leer()
{
    while (!m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::StartElement:
            Abrir();
            break;
        case QXmlStreamReader::EndElement:
            Cerrar();
            break;
        case QXmlStreamReader::Characters:
            if (m_campo)
                m_campo->append(m_xml.text());
            break;
        default:
            break;
        }
        if (m_fallido)
            return false;
    }
    if (m_xml.hasError() && m_xml.error() != QXmlStreamReader::PrematureEndOfDocumentError) {
        m_fallido = true;
        return false;
    }
    return true;
}

void LectorListaXml::Abrir()
{
    const QStringView elemento = m_xml.name();
    if (!m_raiz) {
        // Only the emulator's machine list is read.
        m_raiz = elemento == u"mame";
        if (!m_raiz) {
            m_fallido = true;
            return;
        }
        m_version = m_xml.attributes().value(QLatin1String("build")).toString();
        return;
    }
    if (!m_enMaquina) {
        if (elemento == u"machine" || elemento == u"game")
            Empezar();
        return;
    }
    // A ROM first: most elements are.
    if (elemento == u"rom") {
        const QXmlStreamAttributes atributos = m_xml.attributes();
        FichaRom rom;
        rom.nombre = atributos.value(QLatin1String("name")).toString();
        rom.tamano = atributos.value(QLatin1String("size")).toLongLong();
        rom.crc = atributos.value(QLatin1String("crc")).toString();
        rom.sha1 = atributos.value(QLatin1String("sha1")).toString();
        rom.fusion = atributos.value(QLatin1String("merge")).toString();
        rom.estado = atributos.value(QLatin1String("status")).toString();
        rom.bios = atributos.value(QLatin1String("bios")).toString();
        rom.opcional = atributos.value(QLatin1String("optional")) == u"yes";
        m_roms.push_back(std::move(rom));
    } else if (elemento == u"device_ref") {
        m_maquina.dispositivos << m_xml.attributes().value(QLatin1String("name")).toString();
    } else if (elemento == u"disk") {
        const QXmlStreamAttributes atributos = m_xml.attributes();
        FichaMaquina::Disco disco;
        disco.nombre = atributos.value(QLatin1String("name")).toString();
        disco.sha1 = atributos.value(QLatin1String("sha1")).toString();
        disco.fusion = atributos.value(QLatin1String("merge")).toString();
        disco.estado = atributos.value(QLatin1String("status")).toString();
        disco.opcional = atributos.value(QLatin1String("optional")) == u"yes";
        m_maquina.discos.push_back(std::move(disco));
    } else if (elemento == u"softwarelist") {
        const QXmlStreamAttributes atributos = m_xml.attributes();
        m_maquina.listasDeSoftware.push_back({atributos.value(QLatin1String("name")).toString(),
                                              atributos.value(QLatin1String("tag")).toString(),
                                              atributos.value(QLatin1String("status")).toString(),
                                              atributos.value(QLatin1String("filter")).toString()});
    } else if (elemento == u"sample") {
        m_maquina.muestras << m_xml.attributes().value(QLatin1String("name")).toString();
    } else if (elemento == u"biosset") {
        const QXmlStreamAttributes atributos = m_xml.attributes();
        if (atributos.value(QLatin1String("default")) == u"yes")
            m_maquina.biosPorDefecto = atributos.value(QLatin1String("name")).toString();
    } else if (elemento == u"description") {
        m_campo = &m_maquina.descripcion;
    } else if (elemento == u"year") {
        m_campo = &m_maquina.anio;
    } else if (elemento == u"manufacturer") {
        m_campo = &m_maquina.fabricante;
    } else if (elemento == u"driver") {
        m_maquina.estado = m_xml.attributes().value(QLatin1String("status")).toString();
    } else if (elemento == u"input") {
        m_maquina.jugadores = Numero(m_xml.attributes().value(QLatin1String("players")));
    }
}

void LectorListaXml::Empezar()
{
    const QXmlStreamAttributes atributos = m_xml.attributes();
    const auto si = [&atributos](const char *nombre) {
        return atributos.value(QLatin1String(nombre)) == u"yes";
    };
    m_enMaquina = true;
    m_maquina = FichaMaquina();
    m_roms.clear();
    m_maquina.nombre = atributos.value(QLatin1String("name")).toString();
    m_maquina.clonDe = atributos.value(QLatin1String("cloneof")).toString();
    m_maquina.romDe = atributos.value(QLatin1String("romof")).toString();
    m_maquina.esBios = si("isbios");
    m_maquina.esDispositivo = si("isdevice");
    m_maquina.esMecanica = si("ismechanical");
    m_maquina.ejecutable = atributos.value(QLatin1String("runnable")) != u"no";
    m_maquina.muestrasDe = atributos.value(QLatin1String("sampleof")).toString();
}

void LectorListaXml::Cerrar()
{
    m_campo = nullptr;
    if (!m_enMaquina)
        return;
    const QStringView elemento = m_xml.name();
    if (elemento != u"machine" && elemento != u"game")
        return;
    m_enMaquina = false;
    ++m_maquinas;
    if (m_receptor && !m_maquina.nombre.isEmpty())
        m_receptor(m_maquina, m_roms);
}

} // namespace Corvala
