#include "imaging/cGdiPlus.h"

#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include <algorithm>

namespace Corvala {

namespace {

int EstadoDeLectura(QImageReader::ImageReaderError error)
{
    switch (error) {
    case QImageReader::FileNotFoundError:
        return cGdiPlus::FileNotFound;
    case QImageReader::DeviceError:
        return cGdiPlus::Win32Error;
    case QImageReader::UnsupportedFormatError:
        return cGdiPlus::UnknownImageFormat;
    case QImageReader::InvalidDataError:
    case QImageReader::UnknownError:
        break;
    }
    return cGdiPlus::GenericError;
}

int EstadoDeEscritura(QImageWriter::ImageWriterError error)
{
    switch (error) {
    case QImageWriter::DeviceError:
        return cGdiPlus::Win32Error;
    case QImageWriter::UnsupportedFormatError:
        return cGdiPlus::UnknownImageFormat;
    case QImageWriter::InvalidImageError:
        return cGdiPlus::InvalidParameter;
    case QImageWriter::UnknownError:
        break;
    }
    return cGdiPlus::GenericError;
}

// True when a picture of this size, at four bytes a pixel, is more than Qt's image readers
// may allocate.
bool ExcedeElLimite(const QSize &tamano)
{
    const int megas = QImageReader::allocationLimit();
    return megas > 0 && qint64(tamano.width()) * tamano.height() * 4 > qint64(megas) * 1024 * 1024;
}

} // namespace

cGdiPlus::cGdiPlus(QObject *parent)
    : QObject(parent)
{
    LoadEncoders();
}

void cGdiPlus::LoadEncoders()
{
    // An encoder per image type that can be written, with the patterns of its file names in
    // capitals: "*.JPEG;*.JPG".
    QList<QByteArray> tipos = QImageWriter::supportedMimeTypes();
    std::sort(tipos.begin(), tipos.end());
    m_encoders.clear();
    m_formatos.clear();
    for (const QByteArray &tipo : tipos) {
        const QList<QByteArray> formatos = QImageWriter::imageFormatsForMimeType(tipo);
        if (formatos.isEmpty())
            continue;
        QStringList patrones;
        for (const QByteArray &formato : formatos)
            patrones << QStringLiteral("*.") + QString::fromLatin1(formato).toUpper();
        m_encoders << patrones.join(QLatin1Char(';'));
        m_formatos << formatos.first();
    }

    m_extensiones.clear();
    for (int i = int(m_encoders.size()) - 1; i >= 0; --i) {
        QStringList piezas = m_encoders.at(i).split(QLatin1Char(';'));
        const QString ultima = piezas.takeLast().trimmed();
        if (!ultima.isEmpty())
            piezas << ultima;
        // A pattern two encoders report goes to the one listed first.
        for (const QString &pieza : piezas)
            m_extensiones.insert(pieza.toLower(), i);
    }
}

int cGdiPlus::EncoderIndex(const QString &patron) const
{
    return m_extensiones.value(patron.toLower(), -1);
}

void cGdiPlus::Fallo(int estado)
{
    Q_EMIT Error(estado, GdiErrorString(estado));
}

QImage cGdiPlus::FilenameToIPicture(const QString &sFilename)
{
    QImageReader lector(sFilename);
    lector.setDecideFormatFromContent(true);
    const QSize tamano = lector.size();
    if (tamano.isValid() && ExcedeElLimite(tamano)) {
        Fallo(OutOfMemory);
        return {};
    }
    QImage imagen;
    if (!lector.read(&imagen)) {
        Fallo(EstadoDeLectura(lector.error()));
        return {};
    }
    return imagen;
}

bool cGdiPlus::PictureBoxToFile(const QImage &pic, const QString &sFilename, int lQuality)
{
    const int punto = int(sFilename.lastIndexOf(QLatin1Char('.')));
    QString extension;
    if (punto >= 0 && sFilename.indexOf(QLatin1Char('/'), punto) < 0)
        extension = sFilename.mid(punto + 1);
    const int indice = EncoderIndex(QStringLiteral("*.") + extension);
    if (indice < 0)
        return false;
    if (pic.isNull()) {
        Fallo(InvalidParameter);
        return false;
    }

    // The new file takes the old one's place only once it is whole.
    QSaveFile archivo(sFilename);
    if (!archivo.open(QIODevice::WriteOnly)) {
        Fallo(Win32Error);
        return false;
    }
    QImageWriter escritor(&archivo, m_formatos.at(indice));
    if (extension.startsWith(QLatin1Char('J'), Qt::CaseInsensitive))
        escritor.setQuality(lQuality);
    if (!escritor.write(pic)) {
        Fallo(EstadoDeEscritura(escritor.error()));
        return false;
    }
    if (!archivo.commit()) {
        Fallo(Win32Error);
        return false;
    }
    return true;
}

QString cGdiPlus::GdiErrorString(int lError)
{
    static const char *const kTextos[] = {
            "Generic Error",
            "Invalid Parameter",
            "Out Of Memory",
            "Object Busy",
            "Insufficient Buffer",
            "Not Implemented",
            "Win32 Error",
            "Wrong State",
            "Aborted",
            "File Not Found",
            "Value Overflow",
            "Access Denied",
            "Unknown Image Format",
            "FontFamily Not Found",
            "FontStyle Not Found",
            "Not TrueType Font",
            "Unsupported Gdiplus Version",
            "Gdiplus Not Initialized",
            "Property Not Found",
            "Property Not Supported",
    };
    if (lError >= 1 && lError <= int(std::size(kTextos)))
        return QString::fromLatin1(kTextos[lError - 1]);
    return QStringLiteral("Unknown GDI+ Error");
}

} // namespace Corvala
