#pragma once

#include "comun/logic/Resultado.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFileDevice>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace Corvala {

// Corvala's small text files. Each line is read as UTF-8 when its bytes are valid UTF-8 and
// otherwise as Windows-1252 (the code page of the Spanish Windows systems such files come
// from); a line ends at LF, a CR before it is dropped. They are written as UTF-8 with every
// line ending in CR LF, and never left half-written.
namespace ArchivoTexto {

// A whole file's bytes: UTF-8 when all of them are valid UTF-8, otherwise line by line.
QString Decodificar(const QByteArray &bytes);
// One line's bytes: UTF-8 when valid, otherwise Windows-1252.
QString DecodificarLinea(QByteArrayView bytes);
// The bytes as UTF-8 text; nothing when they are not valid UTF-8.
std::optional<QString> DecodificarUtf8(QByteArrayView bytes);

// The lines of the bytes, each with its own line end (the last one may have none).
QList<QByteArrayView> LineasEnBruto(QByteArrayView bytes);

// The most a file read whole may hold unless told otherwise: far beyond any of Corvala's or the
// emulator's text files (the emulator's whole game list is a few megabytes).
constexpr qint64 kMaximoPorDefecto = 64 * 1024 * 1024;

// The whole file as it stands, or nothing when it cannot be read, and why (motivo may be
// null). Only a regular file (or a link to one) of at most maximo bytes is read: a pipe, a
// device or a folder of that name is left alone, never waited on.
std::optional<QByteArray> LeerBytes(const QString &ruta, qint64 maximo = kMaximoPorDefecto,
                                    QString *motivo = nullptr);

// The whole file as text, or nothing when it cannot be read.
std::optional<QString> LeerTexto(const QString &ruta);

// The file's lines, or nothing when it cannot be read. A last line without its line end
// counts; a file that ends with a line end has no empty line after it.
std::optional<QStringList> LeerLineas(const QString &ruta);

// A name as the player is shown it: each control character (a line feed, a tab, an escape) as
// its picture (␊, ␉, ␛), so that a file name cannot break a row, a line or a report in two.
QString Visible(QString texto);

// Splits a text into lines as LeerLineas does.
QStringList PartirLineas(const QString &texto);

// Writes every line followed by CR LF. The file is replaced only when all of it was written;
// a failure says why.
Resultado EscribirLineas(const QString &ruta, const QStringList &lineas);

// Writes the bytes as they stand, with the same guarantee.
Resultado EscribirBytes(const QString &ruta, const QByteArray &bytes);

// Writes several files as one: each is written whole beside its old one first, and only when
// every one was written do they replace the old files. Otherwise every old file stays.
Resultado EscribirJuntos(const QList<std::pair<QString, QByteArray>> &archivos);

// The permissions a new file takes from the user's umask (0644 under the usual 022): what a
// file made as a temporary one (0600) is given before it takes its place.
QFileDevice::Permissions PermisosDeArchivoNuevo();

// The text as Corvala writes it: every line followed by CR LF, in UTF-8.
QByteArray BytesDeLineas(const QStringList &lineas);

} // namespace ArchivoTexto
} // namespace Corvala
