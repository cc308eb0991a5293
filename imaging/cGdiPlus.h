#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>

namespace Corvala {

// Corvala's boundary to the image formats: a file in, a picture out, and the way back. GIF,
// JPEG, TIFF, PNG, BMP and whatever else the installed image plug-ins read are decoded. A
// failure gives the empty result and the Error signal with a status code and its text; no
// message is shown. A picture made here is a value of its own: it outlives the instance.
class cGdiPlus : public QObject
{
    Q_OBJECT

public:
    // The status codes of a failure, with their texts in GdiErrorString.
    enum Estado {
        Ok = 0,
        GenericError = 1,
        InvalidParameter = 2,
        OutOfMemory = 3,
        Win32Error = 7,
        FileNotFound = 10,
        UnknownImageFormat = 13,
    };

    explicit cGdiPlus(QObject *parent = nullptr);

    // The picture of an image file, decided by its content rather than its name; a null
    // picture when the file cannot be loaded. A picture whose size is over the allocation
    // limit of Qt's image readers is refused before anything is decoded.
    QImage FilenameToIPicture(const QString &sFilename);

    // Writes the picture with the encoder of the file name's extension (letter case aside),
    // replacing the file only once the new one is complete. Extensions beginning with J take
    // the quality, 0 to 100. An extension without an encoder gives false and no Error.
    bool PictureBoxToFile(const QImage &pic, const QString &sFilename, int lQuality);

    // The English text of a status code; "Unknown GDI+ Error" for any other value, 0 included.
    static QString GdiErrorString(int lError);

    // The file-name patterns of each encoder ("*.JPG;*.JPEG"), by encoder index.
    const QStringList &Encoders() const { return m_encoders; }

Q_SIGNALS:
    void Error(int lGdiError, const QString &sErrorDesc);

private:
    void LoadEncoders();
    int EncoderIndex(const QString &patron) const;
    void Fallo(int estado);

    QStringList m_encoders;
    QList<QByteArray> m_formatos;      // the Qt format that writes each encoder's files
    QHash<QString, int> m_extensiones; // pattern, in lower case → encoder index
};

} // namespace Corvala
