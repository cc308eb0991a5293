#pragma once

#include "collection/logic/RenombrePendiente.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/Mensajes.h"

#include <QString>

#include <memory>
#include <optional>

namespace Corvala {

class Catalogo;

// Whether an archive of the roms folder holds a good set of another game: the archive takes
// the game's archive name for a moment, the emulator verifies that game's set, and the
// archive gets its own name back. The comparison and the renaming of the ROM manager are
// built on it.
//
// While an archive carries a candidate's name, a small record in the MAME folder names both,
// so that an archive left misnamed by a Corvala that was killed gets its name back the next
// time the ROM manager opens (DevolverNombrePendiente).
//
// With the emulator's catalogue the test is a sound one. The emulator finds a set's files in
// other archives of the folder too (a parent's, a BIOS's), so its word alone would make a junk
// archive good under a clone's name. The archive must hold, by size and CRC, every ROM of the
// set that lies in the set's own archive, and at least one of its ROMs; an archive that does
// not is incompatible without any emulator run. The emulator must then say the set is good or
// the best available, as a parent ("romset NAME is good") or as a clone ("romset NAME
// [PARENT] is good"), on whichever line of its output it says it.
class Compatibilidad
{
public:
    // The other set's archive in the form the archive has (pacman.zip for a .zip, pacman/ for a
    // folder): a rename keeps a set's form.
    static QString EnSuForma(const QString &archivo, const QString &otro);
    // The longest one verification may last before the emulator is stopped, in milliseconds.
    static constexpr int kLimitePorDefecto = 120000;

    explicit Compatibilidad(CarpetaMame carpeta, int limiteMs = kLimitePorDefecto);

    // The catalogue the tests use from now on; none: the emulator's first line alone decides.
    void PonerCatalogo(std::shared_ptr<const Catalogo> catalogo)
    {
        m_catalogo = std::move(catalogo);
    }

    // True when the archive, under the candidate's name, is a good set of the candidate's game
    // by the first line the emulator prints: "romset NAME is good", in any letter case and with
    // blanks around it. Both are file names in roms. Anything that goes wrong makes the answer
    // false, and the archive always has its own name back when this returns. A candidate whose
    // archive already lies in roms is false without any emulator run; so is a candidate
    // without a ROM name ("ERROR").
    bool EsRomCompatible(const QString &archivo, const QString &candidato) const;

    // The same test with its third outcome: no test could be made, because the record could
    // not be written or the archive could not take the candidate's name (a read-only folder).
    enum class Prueba { Compatible, Incompatible, SinPrueba };
    Prueba Probar(const QString &archivo, const QString &candidato) const;
    // The box that says so, for the comparison, the renaming and the search alike.
    static Mensaje MensajeSinPrueba();

    // Gives an archive left under a candidate's name its own name back, as the record says,
    // and removes the record. Returns true when an archive was renamed.
    bool DevolverNombrePendiente() const;

    // The record of the rename under way, in the MAME folder.
    static QString Registro() { return RenombrePendiente::Nombre(); }

    // The comparison of the selected archive with the selected game's archive name.
    enum class Comparacion { ExisteArchivoDelJuego, Compatibles, Incompatibles, SinPrueba };
    Comparacion Comparar(const QString &archivo, const QString &archivoDelJuego) const;
    static Mensaje MensajeDeComparacion(Comparacion comparacion);

    // The renaming of the selected archive to the selected game's archive name, once the
    // player has confirmed it.
    enum class Actualizacion {
        ExisteArchivoDelJuego,
        ArchivoDesaparecido,
        Incompatible,
        Actualizada,
        NoRenombrada,
        SinPrueba,
    };
    Actualizacion Actualizar(const QString &archivo, const QString &archivoDelJuego) const;
    // The box that follows a renaming; none when it ran through.
    static std::optional<Mensaje> MensajeDeActualizacion(Actualizacion actualizacion,
                                                         const QString &archivo,
                                                         const QString &archivoDelJuego);
    static Mensaje MensajeFaltaSeleccion();
    static Mensaje PreguntaActualizar(const QString &archivo, const QString &titulo,
                                      const QString &archivoDelJuego);

private:
    QString Roms(const QString &archivo) const;
    bool EscribirRegistro(const QString &archivo, const QString &candidato) const;
    void BorrarRegistro() const;

    CarpetaMame m_carpeta;
    int m_limiteMs;
    std::shared_ptr<const Catalogo> m_catalogo;
};

} // namespace Corvala
