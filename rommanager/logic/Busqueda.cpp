#include "rommanager/logic/Busqueda.h"

#include "catalogue/logic/Catalogo.h"
#include "collection/logic/Identificacion.h"
#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/modPrincipal.h"
#include "rommanager/logic/Compatibilidad.h"
#include "rommanager/logic/ListasDelGestor.h"

namespace Corvala {

namespace {

// Every line of a lista.txt as a game to try, read whole at the start: no file stays open
// while the emulator runs. A line that is no game (the header) is one that can never be good.
QVector<std::optional<JuegoListado>> LineasDeLista(const QString &ruta)
{
    QVector<std::optional<JuegoListado>> juegos;
    for (const QString &linea : ArchivoTexto::LeerLineas(ruta).value_or(QStringList()))
        juegos.append(LeerLineaLista(linea));
    return juegos;
}

} // namespace

Busqueda::Busqueda(const Compatibilidad &prueba)
    : m_prueba(prueba)
{
}

Busqueda::Juegos Busqueda::JuegosAProbar(const CarpetaMame &carpeta, const Catalogo *catalogo,
                                         const QString &archivo, int titulos)
{
    Juegos juegos;
    if (catalogo) {
        const DirectorioZip directorio
                = DirectorioZip::LeerConjunto(carpeta.Ruta(QStringLiteral("roms/") + archivo));
        for (const Candidato &candidato :
             Identificacion::Completos(Identificacion::Candidatos(*catalogo, directorio)))
            juegos.juegos.append(JuegoListado{candidato.nombre, candidato.titulo});
        juegos.total = int(juegos.juegos.size());
        return juegos;
    }
    ListasDelGestor::ReconstruirLista(carpeta);
    juegos.juegos = LineasDeLista(carpeta.Ruta(QStringLiteral("lista.txt")));
    juegos.total = titulos;
    return juegos;
}

Busqueda::Resultado Busqueda::Recorrer(const QString &rutaLista,
                                       const std::function<QString()> &archivo,
                                       const std::function<void(qint32)> &avance)
{
    return Recorrer(LineasDeLista(rutaLista), archivo, avance);
}

Busqueda::Resultado Busqueda::Recorrer(const QVector<std::optional<JuegoListado>> &juegos,
                                       const std::function<QString()> &archivo,
                                       const std::function<void(qint32)> &avance)
{
    m_titulo.clear();
    qint32 contador = 1;
    for (const std::optional<JuegoListado> &juego : juegos) {
        avance(contador);
        const QString elegido = archivo();
        const Compatibilidad::Prueba prueba
                = juego ? m_prueba.Probar(elegido, juego->nombre + QStringLiteral(".zip"))
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
    return {QStringLiteral(
                    "¿Quieres realmente buscar una ROM compatible con este archivo entre las "
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
