#pragma once

#include "collection/logic/DirectorioZip.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <atomic>

namespace Corvala {

class BaseSqlite;

// What the roms folder holds, as the emulator looks for a set's files there: the directory of
// every archive NAME.zip and NAME.7z, and the files of every set kept as a folder NAME/, with the
// SHA-1 of each disk (NAME/DISK.chd) taken from its header. What was read is kept in corvala.db
// (table directorios: each file by its path under roms, size and modification time), so that a
// folder that has not changed is not read again.
struct ContenidoDeRoms
{
    // One archive or folder: the set name it serves, as the emulator opens it (exactly).
    struct Conjunto
    {
        QString nombre;
        bool carpeta = false;
        bool sieteZ = false; // NAME.7z (neither a folder nor NAME.zip)
        // How the player finds it in roms: NAME/, NAME.zip or NAME.7z.
        QString Archivo() const
        {
            return nombre
                   + (carpeta  ? QStringLiteral("/")
                      : sieteZ ? QStringLiteral(".7z")
                               : QStringLiteral(".zip"));
        }
        // Why it, or one of its files, cannot be read; empty when it can.
        QString motivo;
        QVector<DirectorioZip::Archivo> archivos;
        // Of a folder: its disks' SHA-1 (hexadecimal, lower case) by disk name.
        QHash<QString, QString> discos;
    };
    QVector<Conjunto> conjuntos;
    // How many files had to be read because the kept directories did not have them as they
    // are now.
    int leidos = 0;
    // What the folder looks like now (names, sizes and dates, those of the files of its sets'
    // folders too): the same text means nothing in it has changed.
    QString huella;
    // The same of the folder's own entries alone (a set's folder by its own date): cheap, but
    // blind to a file of a set's folder rewritten in place.
    QString huellaLigera;
    // Why the kept directories could not be read or written (everything was then read
    // anew); empty when they could.
    QString motivoDeLaBase;

    // The most bytes of one file of a set's folder read for its CRC: no ROM comes near it.
    static constexpr qint64 kMaximoPorArchivo = qint64(1) << 30;

    // Reads the roms folder, with the directories kept in the database at baseDeDatos (none
    // when empty), and keeps there what it had to read. Stops soon, with what it has, once
    // cancelar is set. A list folder of software (prefijo "nes/") is kept apart, in the table
    // directorios_software, under paths that begin with it.
    static ContenidoDeRoms Leer(const QString &carpetaRoms, const QString &baseDeDatos,
                                const std::atomic<bool> *cancelar = nullptr,
                                const QString &prefijo = {});

    // The sets there are and the folder's fingerprints, from its listing alone: no file is read
    // (the sets have no files). Without conCarpetas the sets' folders are not listed (only
    // huellaLigera is worked out, and every folder is taken for a set).
    static ContenidoDeRoms Listar(const QString &carpetaRoms, bool conCarpetas = true);

    // The sets whose archive, or a file of whose folder, could not be read when Leer last kept
    // them in the database (a zip cut short, a file that fails), with why as Conjunto::motivo
    // says it: the folder is not read again.
    static QHash<QString, QString> IlegiblesGuardados(BaseSqlite &base);

    // The SHA-1 a disk image (CHD, versions 3 to 5) records in its header for its data and
    // metadata, in lower-case hexadecimal; empty when the file is no CHD or cannot be read.
    static QString Sha1DeDisco(const QString &ruta);
};

} // namespace Corvala
