#include "rommanager/logic/Busqueda.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/ListaMame.h"
#include "comun/logic/modPrincipal.h"
#include "rommanager/logic/Compatibilidad.h"

namespace Corvala {

Busqueda::Busqueda(const Compatibilidad &prueba)
    : m_prueba(prueba)
{
}

Busqueda::Resultado Busqueda::Recorrer(const QString &rutaLista, const std::function<QString()> &archivo,
                                       const std::function<void(qint32)> &avance)
{
    m_titulo.clear();
    // Read whole at the start: no file stays open while the emulator runs.
    const QStringList lineas = ArchivoTexto::LeerLineas(rutaLista).value_or(QStringList());
    qint32 contador = 1;
    for (const QString &linea : lineas) {
        avance(contador);
        // A line that is no game (the header) is a candidate that can never be good.
        const std::optional<JuegoListado> juego = LeerLineaLista(linea);
        const QString elegido = archivo();
        const Compatibilidad::Prueba prueba = juego ? m_prueba.Probar(elegido, juego->nombre + QStringLiteral(".zip"))
                                                    : Compatibilidad::Prueba::Incompatible;
        if (prueba == Compatibilidad::Prueba::Compatible) {
            m_titulo = QuitarBlancos(juego->titulo).toString();
            return Resultado::Encontrada;
        }
        if (prueba == Compatibilidad::Prueba::SinPrueba)
            return Resultado::SinPrueba;
        if (!m_buscando)
            return Resultado::Cancelada;
        ++contador;
    }
    return Resultado::NoEncontrada;
}

Mensaje Busqueda::Confirmacion()
{
    return {QStringLiteral("¿Quieres realmente buscar una ROM compatible con este archivo entre las "
                           "ROMs emulables por esta versión de M.A.M.E? Si decides hacerlo, recuerda "
                           "que este proceso puede durar bastante."),
            QStringLiteral("¿De verdad deseas buscar?"), Mensaje::Icono::Exclamacion,
            Mensaje::Botones::SiNo};
}

Mensaje Busqueda::PreguntaCancelar()
{
    return {QStringLiteral("¿Deseas abortar la búsqueda de ROMs compatibles?"),
            QStringLiteral("¿Estas seguro?"), Mensaje::Icono::Exclamacion, Mensaje::Botones::SiNo};
}

Mensaje Busqueda::MensajeDeResultado(Resultado resultado, const QString &titulo)
{
    switch (resultado) {
    case Resultado::Encontrada:
        return {QStringLiteral("Se ha encontrado compatibilidad para el archivo seleccionado, el "
                               "título del juego es ")
                    + titulo + QLatin1Char('.'),
                QStringLiteral("¡Encontrada!"), Mensaje::Icono::Exclamacion};
    case Resultado::Cancelada:
        return {QStringLiteral("La comprobación ha sido cancelada por el usuario."),
                QStringLiteral("Proceso cancelado"), Mensaje::Icono::Critico};
    case Resultado::SinPrueba:
        return Compatibilidad::MensajeSinPrueba();
    case Resultado::NoEncontrada:
        break;
    }
    return {QStringLiteral("No se han encontrado ROMs compatibles"), QStringLiteral("¡Ogh!"),
            Mensaje::Icono::Critico};
}

} // namespace Corvala
