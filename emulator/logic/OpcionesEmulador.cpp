#include "emulator/logic/OpcionesEmulador.h"

#include "emulator/logic/Emulador.h"

#include <QHash>

namespace Corvala {

namespace {

// The answers of this run of Corvala, by the emulator's path.
QHash<QString, OpcionesEmulador> &Respuestas()
{
    static QHash<QString, OpcionesEmulador> respuestas;
    return respuestas;
}

} // namespace

const OpcionesEmulador &OpcionesEmulador::De(const CarpetaMame &carpeta)
{
    QHash<QString, OpcionesEmulador> &respuestas = Respuestas();
    const QString emulador = carpeta.Emulador();
    auto encontrada = respuestas.constFind(emulador);
    if (encontrada == respuestas.constEnd()) {
        const QString listado
                = Emulador(carpeta).Preguntar({QStringLiteral("-showusage")}).value_or(QString());
        encontrada = respuestas.insert(emulador, DeListado(listado));
    }
    return *encontrada;
}

void OpcionesEmulador::Olvidar()
{
    Respuestas().clear();
}

OpcionesEmulador OpcionesEmulador::DeListado(const QString &listado)
{
    OpcionesEmulador opciones;
    for (QStringView linea : QStringView(listado).split(QLatin1Char('\n'))) {
        linea = linea.trimmed();
        if (linea.size() < 2 || linea.front() != QLatin1Char('-'))
            continue;
        qsizetype fin = 1;
        while (fin < linea.size() && !linea.at(fin).isSpace())
            ++fin;
        opciones.m_opciones.insert(linea.mid(1, fin - 1).toString());
    }
    opciones.m_listado = !opciones.m_opciones.isEmpty();
    return opciones;
}

bool OpcionesEmulador::Conoce(const QString &opcion, bool sinListado) const
{
    return m_listado ? m_opciones.contains(opcion) : sinListado;
}

} // namespace Corvala
