#pragma once

#include <QString>
#include <QVector>

namespace Corvala {

// What an archive says of its files: names, sizes and CRC-32, read without decompressing any
// of them, from a zip's central directory or a 7z's header.
struct DirectorioZip
{
    struct Archivo
    {
        QString nombre;
        quint64 tamano = 0;
        quint32 crc = 0;
    };

    // The most files an archive may list: no ROM set comes near it, and a directory that
    // claims more is no ROM archive.
    static constexpr qint64 kMaximoDeArchivos = 100000;

    // False when the file is missing, is not such an archive or is damaged; its files are then
    // none.
    bool legible = false;
    // Why it cannot be read (libzip's or the system's words); empty when it can.
    QString motivo;
    QVector<Archivo> archivos;

    // A directory that cannot be read, and why.
    static DirectorioZip Ilegible(QString motivo);
    // Why a path is no archive to open (missing; a folder, a pipe or a device, which could be
    // waited on for ever); empty when it is a plain file.
    static QString NoEsArchivo(const QString &ruta);

    // Reads the directory of the archive at a path. Folders inside the archive are left out.
    static DirectorioZip Leer(const QString &ruta);
    // The same of a 7z archive. Its header is checked (its CRC, every count and offset against
    // the file and the bounds above) and decoded when compressed (LZMA or LZMA2, as 7-Zip
    // writes it); the files' packed data is never read.
    static DirectorioZip Leer7z(const QString &ruta);
    // A set in whatever form it has: a zip, a 7z (by its name's ending, in any letter case) or
    // a folder, whose files' CRC are worked out (each up to 1 GiB).
    static DirectorioZip LeerConjunto(const QString &ruta);
};

} // namespace Corvala
