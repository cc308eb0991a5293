#include "catalogue/logic/ListaMame.h"

#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/CarpetaMame.h"
#include "comun/logic/modPrincipal.h"

namespace Corvala {

namespace {

constexpr QChar kComillas = QLatin1Char('"');
constexpr QChar kBlanco = QLatin1Char(' ');

std::optional<JuegoListado> LeerLineaClasica(QStringView linea)
{
    if (linea.size() < 12)
        return std::nullopt;
    return JuegoListado{QuitarBlancos(linea.left(10)).toString(),
                        linea.mid(11, linea.size() - 12).toString()};
}

std::optional<JuegoListado> LeerLineaAncha(QStringView linea)
{
    qsizetype fin = 0;
    while (fin < linea.size() && linea[fin] != kBlanco && linea[fin] != kComillas)
        ++fin;
    qsizetype comillas = fin;
    while (comillas < linea.size() && linea[comillas] == kBlanco)
        ++comillas;
    const bool forma = fin > 0 && comillas > fin && comillas < linea.size() - 1
                       && linea[comillas] == kComillas && linea.back() == kComillas;
    if (!forma)
        return std::nullopt;
    return JuegoListado{linea.left(fin).toString(),
                        linea.mid(comillas + 1, linea.size() - comillas - 2).toString()};
}

// Calls the function with every game of the text, in order, until it returns false.
template <typename Funcion>
void RecorrerJuegos(QStringView texto, Funcion &&funcion)
{
    qsizetype inicio = 0;
    while (inicio < texto.size()) {
        qsizetype fin = texto.indexOf(QLatin1Char('\n'), inicio);
        if (fin < 0)
            fin = texto.size();
        QStringView linea = texto.mid(inicio, fin - inicio);
        if (linea.endsWith(QLatin1Char('\r')))
            linea.chop(1);
        if (std::optional<JuegoListado> juego = LeerLineaLista(linea)) {
            if (!funcion(std::move(*juego)))
                return;
        }
        inicio = fin + 1;
    }
}

} // namespace

std::optional<JuegoListado> LeerLineaLista(QStringView linea)
{
    if (linea.size() >= 11 && linea[10] == kComillas)
        return LeerLineaClasica(linea);
    return LeerLineaAncha(linea);
}

std::optional<ListaMame> ListaMame::Cargar(const QString &ruta)
{
    const std::optional<QString> texto = ArchivoTexto::LeerTexto(ruta);
    if (!texto)
        return std::nullopt;
    return DesdeTexto(*texto);
}

ListaMame ListaMame::DesdeTexto(QStringView texto)
{
    ListaMame lista;
    RecorrerJuegos(texto, [&lista](JuegoListado juego) {
        lista.Agregar(std::move(juego));
        return true;
    });
    return lista;
}

std::optional<JuegoListado>
ListaMame::Buscar(const QString &ruta, const std::function<bool(const JuegoListado &)> &prueba)
{
    const std::optional<QString> texto = ArchivoTexto::LeerTexto(ruta);
    if (!texto)
        return std::nullopt;
    std::optional<JuegoListado> encontrado;
    RecorrerJuegos(*texto, [&](JuegoListado juego) {
        if (!prueba(juego))
            return true;
        encontrado = std::move(juego);
        return false;
    });
    return encontrado;
}

void ListaMame::Agregar(JuegoListado juego)
{
    // The first game of a name gives its title; later lines of the same name are kept in the
    // list but not indexed.
    QString clave = juego.nombre.toUpper();
    if (!m_porNombre.contains(clave))
        m_porNombre.insert(std::move(clave), m_juegos.size());
    m_juegos.push_back(std::move(juego));
}

const QString *ListaMame::Titulo(const QString &rom) const
{
    const auto encontrado = m_porNombre.constFind(rom.toUpper());
    return encontrado == m_porNombre.constEnd() ? nullptr : &m_juegos[*encontrado].titulo;
}

QString TextoRomDesconocida(const QString &archivo)
{
    return QStringLiteral("ROM desconocida(") + archivo + QLatin1Char(')');
}

bool EsRomDesconocida(const QString &texto)
{
    return texto.startsWith(QLatin1String("ROM desconocida("));
}

QString TituloDeRom(const ListaMame &lista, const QString &archivo)
{
    const QString *titulo = lista.Titulo(QuitarExtension(archivo));
    return titulo ? *titulo : TextoRomDesconocida(archivo);
}

QString RomDeTitulo(const CarpetaMame &carpeta, const QString &titulo)
{
    const QString buscado = titulo.toUpper();
    const std::optional<JuegoListado> juego = ListaMame::Buscar(
            carpeta.Ruta(QStringLiteral("lista.txt")), [&buscado](const JuegoListado &j) {
                return j.titulo.size() == buscado.size() && j.titulo.toUpper() == buscado;
            });
    return juego ? juego->nombre + QStringLiteral(".zip") : QStringLiteral("ERROR");
}

QString TituloDeRom(const CarpetaMame &carpeta, const QString &archivo)
{
    const QString rom = QuitarExtension(archivo);
    const std::optional<JuegoListado> juego = ListaMame::Buscar(
            carpeta.Ruta(QStringLiteral("lista.txt")), [&rom](const JuegoListado &j) {
                return j.nombre.compare(rom, Qt::CaseInsensitive) == 0;
            });
    return juego ? juego->titulo : TextoRomDesconocida(archivo);
}

} // namespace Corvala
