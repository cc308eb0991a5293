#pragma once

#include <QString>
#include <QVector>

namespace Corvala {

// What a zip archive says of its files in its central directory: names, sizes and CRC-32,
// read without decompressing anything.
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

    // False when the file is missing, is not a zip or is damaged; its files are then none.
    bool legible = false;
    // Why it cannot be read (libzip's or the system's words); empty when it can.
    QString motivo;
    QVector<Archivo> archivos;

    // Reads the directory of the archive at a path. Folders inside the archive are left out.
    static DirectorioZip Leer(const QString &ruta);
};

} // namespace Corvala
