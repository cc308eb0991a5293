#pragma once

#include "extras/logic/RutasDeExtras.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <mutex>

namespace Corvala {

// The pictures players keep, found as the emulator's interface finds them: in each folder of a
// kind, NAME.png or NAME.jpg (NAME.ico for icons), then in a zip of each folder's name
// (snap.zip holding pacman.png, letter case aside). A software item's NAME is "LIST/ITEM".
// Only the bytes are given: whoever shows them decodes them. Zips stay open between look-ups
// and are opened again when they change.
class AlmacenDeImagenes
{
public:
    // The largest picture read, and the most entries a zip of pictures may hold.
    static constexpr qint64 kMaximoPorImagen = 32 * 1024 * 1024;
    static constexpr qint64 kMaximoDeEntradas = 1000000;

    explicit AlmacenDeImagenes(RutasDeExtras rutas);
    ~AlmacenDeImagenes();
    AlmacenDeImagenes(const AlmacenDeImagenes &) = delete;
    AlmacenDeImagenes &operator=(const AlmacenDeImagenes &) = delete;

    // Whether the MAME folder has a folder or a zip of that kind, as it had when this was made.
    bool Hay(TipoDeImagen tipo) const { return m_hay[size_t(tipo)]; }

    // Gives usar the bytes of each picture of that name and kind, in the order above, until it
    // takes one (returns true); true then. A file or entry over kMaximoPorImagen, or that cannot
    // be read, is passed over.
    bool Buscar(TipoDeImagen tipo, const QString &nombre,
                const std::function<bool(const QByteArray &)> &usar) const;

private:
    struct Zip;
    // The zip at that path, opened and its names indexed; null when there is none to read.
    Zip *AbrirZip(const QString &ruta) const;

    RutasDeExtras m_rutas;
    std::array<bool, kCantidadDeTipos> m_hay{};
    mutable std::mutex m_cerrojo;
    mutable std::map<QString, std::unique_ptr<Zip>> m_zips;
};

} // namespace Corvala
