#pragma once

#include <QString>
#include <QVector>

namespace Corvala {

// An INI file read the way the Windows profile functions read it: sections and keys are found
// without regard to case, the first matching section is the only one searched and the first
// matching key in it wins, blanks around keys and values are removed, and at most 254
// characters of a value are returned.
class ArchivoIni
{
public:
    static ArchivoIni DesdeTexto(const QString &texto);
    // An unreadable file reads as an empty one.
    static ArchivoIni Leer(const QString &ruta);

    // The value, or the default when there is none or it is empty.
    QString Valor(const QString &seccion, const QString &clave,
                  const QString &porDefecto = {}) const;

private:
    struct Entrada
    {
        QString clave;
        QString valor;
    };
    struct Seccion
    {
        QString nombre;
        QVector<Entrada> entradas;
    };
    QVector<Seccion> m_secciones;
};

// One value of an INI file: the value of the key in the section, or the default.
QString LeerValorINI(const QString &archivo, const QString &seccion, const QString &clave,
                     const QString &porDefecto);

} // namespace Corvala
