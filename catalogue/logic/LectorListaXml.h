#pragma once

#include "catalogue/logic/FichaMaquina.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSet>
#include <QXmlStreamReader>

#include <functional>

namespace Corvala {

// Reads the emulator's -listxml output as it arrives, piece by piece, and hands over each
// machine with its ROMs as soon as its element ends. Nothing but the machine being read is
// held: the output of a full emulator runs to hundreds of megabytes.
//
// Most of that output (DIP switches, ports, slots, chips, devices used) says nothing Corvala
// keeps. The emulator writes one element to a line; a line that holds such an element alone,
// or opens it, and every line up to its end, are dropped before the XML reader sees them. Any
// other line (one that holds more than one element, say) goes to the reader as it stands, so
// a layout other than one element a line is read in full, only more slowly.
class LectorListaXml
{
public:
    using Receptor = std::function<void(const FichaMaquina &, const QVector<FichaRom> &)>;

    explicit LectorListaXml(Receptor receptor);

    // The next bytes of the output. False once they cannot be a machine list (the reader then
    // takes nothing more).
    bool Anadir(QByteArrayView bytes);

    // The output has ended: true when it was a whole, well-formed machine list.
    bool Terminar();

    // The emulator's build, from the list's root element ("0.251 (unknown)").
    const QString &Version() const { return m_version; }
    int Maquinas() const { return m_maquinas; }
    // Why the output is not a machine list, once Anadir or Terminar has said so.
    QString Error() const;

private:
    void Filtrar(QByteArrayView linea, QByteArray &salida);
    bool Leer();
    void Empezar();
    void Abrir();
    void Cerrar();

    Receptor m_receptor;
    QXmlStreamReader m_xml;
    QByteArray m_resto;    // a line not yet ended
    QByteArray m_saltando; // the element being dropped, while one is
    QByteArray m_cierre;   // and its end tag
    int m_profundidad = 0; // elements of that name open inside it
    bool m_fallido = false;
    bool m_sinFiltro = false; // the output came in lines too long to hold
    bool m_raiz = false;      // the root element was a machine list
    bool m_enMaquina = false;
    QString *m_campo = nullptr; // the text element being read
    FichaMaquina m_maquina;
    QVector<FichaRom> m_roms;
    QString m_version;
    int m_maquinas = 0;
};

} // namespace Corvala
