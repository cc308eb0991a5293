#include "frontend/logic/ModeloDeJuegos.h"

#include "catalogue/logic/ListaMame.h"
#include "collection/logic/SistemaDeSoftware.h"
#include "collection/logic/SoftwareDeRoms.h"
#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/modPrincipal.h"
#include "frontend/logic/DatosDelJugador.h"
#include "frontend/logic/ListaDeJuegos.h"

#include <QSet>
#include <QThreadPool>

#include <algorithm>
#include <array>
#include <numeric>

namespace Corvala {

namespace {

bool EsAscii(QStringView texto)
{
    return std::all_of(texto.begin(), texto.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// Each Latin-1 character as the search folds it (Plegar), when it folds to one character; 0
// for the few that do not (ß).
const std::array<char16_t, 256> &PlegadoLatino()
{
    static const std::array<char16_t, 256> tabla = [] {
        std::array<char16_t, 256> t{};
        for (int c = 0; c < 256; ++c) {
            const QString plegado = ModeloDeJuegos::Plegar(QString(QChar(c)));
            t[c] = plegado.size() == 1 ? plegado.front().unicode() : 0;
        }
        return t;
    }();
    return tabla;
}

// A row's search key: its title and archive name folded, one line each. Most are Latin-1 (a
// software item's title holds a middle dot), folded here in one pass into one string.
QString Clave(const QString &titulo, const QString &archivo)
{
    const std::array<char16_t, 256> &tabla = PlegadoLatino();
    const auto latino = [&tabla](QStringView texto) {
        return std::all_of(texto.begin(), texto.end(), [&tabla](QChar c) {
            return c.unicode() < 0x80 || (c.unicode() < 0x100 && tabla[c.unicode()] != 0);
        });
    };
    if (!latino(titulo) || !latino(archivo))
        return ModeloDeJuegos::Plegar(titulo) + QLatin1Char('\n') + ModeloDeJuegos::Plegar(archivo);
    QString clave(titulo.size() + 1 + archivo.size(), Qt::Uninitialized);
    QChar *destino = clave.data();
    const auto copiar = [&destino, &tabla](const QString &texto) {
        for (const QChar c : texto) {
            const char16_t u = c.unicode();
            *destino++ = QChar(u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A'))
                               : u < 0x80             ? u
                                                      : tabla[u]);
        }
    };
    copiar(titulo);
    *destino++ = QLatin1Char('\n');
    copiar(archivo);
    return clave;
}

} // namespace

QString ModeloDeJuegos::Plegar(QStringView texto)
{
    if (EsAscii(texto))
        return texto.toString().toLower();
    QString plegado = texto.toString().normalized(QString::NormalizationForm_D);
    plegado.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return plegado.toCaseFolded();
}

void ModeloDeJuegos::Cargar(const ListaCargada &lista, std::shared_ptr<const Catalogo> catalogo,
                            const DatosDelJugador &jugador)
{
    beginResetModel();
    m_filas.clear();
    m_filas.reserve(lista.juegos.size());
    for (int p = 0; p < lista.juegos.size(); ++p) {
        JuegoDeLista fila;
        fila.titulo = lista.juegos[p];
        fila.archivo = lista.Archivo(p);
        fila.clave = Clave(fila.titulo, fila.archivo);
        fila.desconocida = EsRomDesconocida(fila.titulo);
        fila.lista = SoftwareDeRoms::ListaDe(fila.archivo);
        if (fila.lista.isEmpty()) {
            fila.juego = DatosDelJugador::Juego(fila.archivo);
        } else {
            const QString item = SoftwareDeRoms::ItemDe(fila.archivo);
            fila.juego = fila.lista + QLatin1Char(':') + item;
            fila.software = lista.software ? lista.software->Item(fila.lista, item) : nullptr;
        }
        fila.favorito = !fila.desconocida && jugador.EsFavorito(fila.juego);
        m_filas.push_back(std::move(fila));
    }
    m_juegosListados = lista.juegosListados;
    m_software = lista.software;
    m_sistemas = jugador.Sistemas();
    ++m_generacion;
    BuscarMaquinas(std::move(catalogo));
    endResetModel();
}

void ModeloDeJuegos::BuscarMaquinas(std::shared_ptr<const Catalogo> catalogo)
{
    m_propios.clear();
    m_catalogo = std::move(catalogo);
    QSet<QString> juegos;
    for (JuegoDeLista &fila : m_filas) {
        fila.maquina = m_catalogo && !fila.desconocida ? m_catalogo->Maquina(fila.juego) : nullptr;
        if (!fila.desconocida)
            juegos.insert(fila.juego);
    }
    for (JuegoDeLista &fila : m_filas) {
        fila.padreListado = fila.software ? !fila.software->clonDe.isEmpty()
                                                    && juegos.contains(fila.lista + QLatin1Char(':')
                                                                       + fila.software->clonDe)
                                          : fila.maquina && juegos.contains(fila.maquina->clonDe);
        Juzgar(fila);
        Clasificar(fila);
    }
}

QString ModeloDeJuegos::ClaveDeAuditoria(const JuegoDeLista &fila)
{
    if (fila.desconocida || !fila.maquina)
        return {};
    // The emulator opens a set's archive or folder by its exact name: most are their set's
    // name.
    const QString nombre = QuitarExtension(fila.archivo);
    return fila.enElPadre || nombre == fila.juego ? fila.juego : nombre;
}

QStringList ModeloDeJuegos::ClavesDeAuditoria() const
{
    QStringList claves;
    claves.reserve(m_filas.size());
    for (const JuegoDeLista &fila : m_filas)
        claves << ClaveDeAuditoria(fila);
    return claves;
}

void ModeloDeJuegos::Juzgar(JuegoDeLista &fila, std::optional<const Veredicto *> previsto)
{
    fila.jugable = JuegoDeLista::Jugable::SinAuditar;
    fila.veredicto = nullptr;
    if (!fila.lista.isEmpty())
        return JuzgarSoftware(fila);
    if (!m_auditoria || !fila.maquina || !m_catalogo)
        return;
    const QString clave = ClaveDeAuditoria(fila);
    const bool suNombre = clave == fila.juego;
    fila.veredicto = previsto ? *previsto : m_auditoria->De(clave);
    if (!fila.veredicto) {
        static const Veredicto kNadaQueLeer{Veredicto::Estado::Correcto, {}, {}, {}, {}};
        static const Veredicto kNingunArchivo{
                Veredicto::Estado::Incorrecto,
                QStringLiteral("Su archivo no tiene ninguno de los archivos del juego."),
                {},
                {},
                {}};
        if (!suNombre) {
            // Its own name, in the form it has (pacman.zip, pacman.7z, pacman/).
            const QString forma = FormaDeArchivo(fila.archivo);
            m_propios.push_back({Veredicto::Estado::Incorrecto,
                                 QStringLiteral("El emulador sólo lo abre si su archivo se llama "
                                                "%1.")
                                         .arg(fila.juego + forma),
                                 {},
                                 {},
                                 {}});
            fila.veredicto = &m_propios.back();
        } else if (const QString ilegible = m_auditoria->ilegibles.value(clave);
                   !ilegible.isEmpty()) {
            m_propios.push_back({Veredicto::Estado::Incorrecto,
                                 QStringLiteral("Su archivo está dañado y el emulador no puede "
                                                "leerlo (%1).")
                                         .arg(ilegible),
                                 {},
                                 {},
                                 {}});
            fila.veredicto = &m_propios.back();
        } else {
            // A machine that needs no file at all runs from an empty archive.
            fila.veredicto
                    = m_catalogo->CuentaDe(fila.juego).roms == 0 ? &kNadaQueLeer : &kNingunArchivo;
        }
    }
    fila.jugable = JugableDe(*fila.veredicto);
}

QStringList ModeloDeJuegos::SistemasDe(int p) const
{
    if (!Valida(p) || !m_filas[p].software || !m_catalogo)
        return {};
    return SistemaDeSoftware::Maquinas(*m_catalogo, m_auditoria.get(), *m_filas[p].software);
}

void ModeloDeJuegos::JuzgarSoftware(JuegoDeLista &fila)
{
    fila.sistema.clear();
    if (!fila.software || !m_catalogo)
        return;
    const QStringList maquinas
            = SistemaDeSoftware::Maquinas(*m_catalogo, m_auditoria.get(), *fila.software);
    const QString elegida = m_sistemas.value(fila.lista);
    fila.sistema = maquinas.contains(elegida) ? elegida : maquinas.value(0);
    if (!m_auditoriaSoftware)
        return;
    fila.veredicto = m_auditoriaSoftware->De(fila.lista, fila.software->nombre);
    const auto propio = [this, &fila](const QString &motivo) {
        m_propios.push_back({Veredicto::Estado::Incorrecto, motivo, {}, {}, {}});
        fila.veredicto = &m_propios.back();
    };
    if (!fila.veredicto) {
        propio(QStringLiteral("Su archivo no tiene ninguno de los archivos del programa."));
    } else if (fila.veredicto->estado != Veredicto::Estado::Incorrecto) {
        // Its own files serve: its machine may not.
        if (const QString porQue = SistemaDeSoftware::SinMaquina(
                    *m_catalogo, m_auditoria.get(), fila.lista, maquinas, fila.sistema);
            !porQue.isEmpty())
            propio(porQue);
    }
    fila.jugable = JugableDe(*fila.veredicto);
}

void ModeloDeJuegos::PonerAuditoriaSoftware(
        std::shared_ptr<const ResultadoAuditoriaSoftware> auditoria)
{
    m_auditoriaSoftware = std::move(auditoria);
    for (JuegoDeLista &fila : m_filas) {
        if (!fila.lista.isEmpty())
            Juzgar(fila);
    }
    if (!m_filas.isEmpty())
        Q_EMIT dataChanged(index(0), index(Cantidad() - 1));
}

QSet<QString> ModeloDeJuegos::ListasDeSoftware() const
{
    QSet<QString> listas;
    for (const JuegoDeLista &fila : m_filas) {
        if (!fila.lista.isEmpty())
            listas.insert(fila.lista);
    }
    return listas;
}

JuegoDeLista::Jugable ModeloDeJuegos::JugableDe(const Veredicto &veredicto)
{
    switch (veredicto.estado) {
    case Veredicto::Estado::Correcto:
        return JuegoDeLista::Jugable::Correcto;
    case Veredicto::Estado::MejorDisponible:
        return JuegoDeLista::Jugable::MejorDisponible;
    case Veredicto::Estado::Incorrecto:
        break;
    }
    return JuegoDeLista::Jugable::Incorrecto;
}

QVector<JuegoDeLista> ModeloDeJuegos::ClonesEnElPadre() const
{
    QVector<JuegoDeLista> clones;
    if (!m_auditoria || !m_catalogo || m_auditoria->enElPadre.isEmpty())
        return clones;
    // The clones that have a row of their own after all (an archive spelt otherwise), and the
    // archive (or folder) of each set that has a row.
    QSet<QString> propios;
    QHash<QString, QString> archivos;
    for (const JuegoDeLista &fila : m_filas) {
        if (!fila.desconocida && !fila.enElPadre && m_auditoria->enElPadre.contains(fila.juego))
            propios.insert(fila.juego);
        if (!fila.enElPadre)
            archivos.insert(fila.juego, fila.archivo);
    }
    for (auto clon = m_auditoria->enElPadre.cbegin(); clon != m_auditoria->enElPadre.cend();
         ++clon) {
        const FichaMaquina *maquina = m_catalogo->Maquina(clon.key());
        if (!maquina || propios.contains(clon.key()))
            continue;
        JuegoDeLista fila;
        fila.titulo = maquina->descripcion;
        // The parent's archive, which is a row of the list as every archive of roms is.
        fila.archivo = archivos.value(clon.value(), clon.value() + QLatin1String(".zip"));
        fila.juego = clon.key();
        fila.clave = Clave(fila.titulo, fila.archivo);
        fila.maquina = maquina;
        fila.padreListado = true;
        fila.enElPadre = true;
        Clasificar(fila);
        clones.push_back(std::move(fila));
    }
    return clones;
}

QVector<int> ModeloDeJuegos::PonerAuditoria(std::shared_ptr<const ResultadoAuditoria> auditoria)
{
    // Tens of thousands of verdicts are let go beside the window's thread.
    if (m_auditoria && m_auditoria.use_count() == 1)
        QThreadPool::globalInstance()->start([viejo = std::move(m_auditoria)] {});
    m_auditoria = std::move(auditoria);
    m_propios.clear();
    QVector<int> traslado(m_filas.size());
    std::iota(traslado.begin(), traslado.end(), 0);
    QVector<JuegoDeLista> clones = ClonesEnElPadre();
    const auto mismos = [&clones, this] {
        QStringList antes, ahora;
        for (const JuegoDeLista &fila : std::as_const(m_filas)) {
            if (fila.enElPadre)
                antes << fila.juego + QLatin1Char('/') + fila.archivo;
        }
        for (const JuegoDeLista &fila : std::as_const(clones))
            ahora << fila.juego + QLatin1Char('/') + fila.archivo;
        antes.sort();
        ahora.sort();
        return antes == ahora;
    };
    if (!mismos()) {
        // The known titles ascending, the clones among them; the unknown archives after.
        beginResetModel();
        QVector<std::pair<JuegoDeLista, int>> filas;
        filas.reserve(m_filas.size() + clones.size());
        for (int p = 0; p < m_filas.size(); ++p) {
            if (!m_filas[p].enElPadre)
                filas.push_back({std::move(m_filas[p]), p});
        }
        std::sort(clones.begin(), clones.end(),
                  [](const JuegoDeLista &a, const JuegoDeLista &b) { return a.titulo < b.titulo; });
        // The known titles come first, in order.
        qsizetype conocidas = std::find_if(filas.cbegin(), filas.cend(),
                                           [](const auto &fila) { return fila.first.desconocida; })
                              - filas.cbegin();
        auto desde = filas.begin();
        for (JuegoDeLista &clon : clones) {
            desde = std::upper_bound(desde, filas.begin() + conocidas, clon.titulo,
                                     [](const QString &titulo, const auto &fila) {
                                         return titulo < fila.first.titulo;
                                     });
            desde = filas.insert(desde, {std::move(clon), -1}) + 1;
            ++conocidas;
        }
        m_filas.clear();
        traslado.fill(-1);
        for (int p = 0; p < filas.size(); ++p) {
            if (filas[p].second >= 0)
                traslado[filas[p].second] = p;
            m_filas.push_back(std::move(filas[p].first));
        }
        for (JuegoDeLista &fila : m_filas)
            Juzgar(fila);
        ++m_generacion;
        endResetModel();
        return traslado;
    }
    // The verdicts the audit looked up for these very rows, when it did.
    const bool previstos = m_auditoria && m_auditoria->enOrdenDe == m_generacion
                           && m_auditoria->enOrden.size() == m_filas.size();
    for (int p = 0; p < m_filas.size(); ++p)
        Juzgar(m_filas[p], previstos ? std::optional(m_auditoria->enOrden[p]) : std::nullopt);
    if (!m_filas.isEmpty())
        Q_EMIT dataChanged(index(0), index(Cantidad() - 1));
    return traslado;
}

void ModeloDeJuegos::PonerClasificacion(std::shared_ptr<const Clasificacion> clasificacion)
{
    m_clasificacion = std::move(clasificacion);
    for (JuegoDeLista &fila : m_filas)
        Clasificar(fila);
    if (!m_filas.isEmpty())
        Q_EMIT dataChanged(index(0), index(Cantidad() - 1));
}

void ModeloDeJuegos::Clasificar(JuegoDeLista &fila) const
{
    fila.clasificacion = nullptr;
    if (m_clasificacion && !fila.desconocida) {
        fila.clasificacion = m_clasificacion->De(fila.juego);
        const QString padre
                = fila.software  ? fila.software->clonDe.isEmpty()
                                           ? QString()
                                           : fila.lista + QLatin1Char(':') + fila.software->clonDe
                  : fila.maquina ? fila.maquina->clonDe
                                 : QString();
        if (!fila.clasificacion && !padre.isEmpty())
            fila.clasificacion = m_clasificacion->De(padre);
    }
    fila.categorias
            = fila.clasificacion ? m_clasificacion->Categorias(*fila.clasificacion) : QStringList();
    fila.jugadores = fila.clasificacion
                             ? Clasificacion::CuantosJugadores(fila.clasificacion->jugadores)
                             : 0;
    fila.claveDeCategorias = Plegar(fila.categorias.join(QLatin1Char('\n')));
}

QStringList ModeloDeJuegos::NombresDeImagen(int fila) const
{
    QStringList nombres;
    const JuegoDeLista &juego = m_filas[fila];
    if (juego.desconocida)
        return nombres;
    if (!juego.lista.isEmpty()) {
        nombres << juego.lista + QLatin1Char('/') + SoftwareDeRoms::ItemDe(juego.archivo);
        if (juego.software && !juego.software->clonDe.isEmpty())
            nombres << juego.lista + QLatin1Char('/') + juego.software->clonDe;
        return nombres;
    }
    nombres << juego.juego;
    if (juego.maquina && !juego.maquina->clonDe.isEmpty())
        nombres << juego.maquina->clonDe;
    return nombres;
}

QStringList ModeloDeJuegos::ClavesDeHistoria(int fila) const
{
    QStringList claves = NombresDeImagen(fila);
    if (!m_filas[fila].lista.isEmpty())
        claves.replaceInStrings(QStringLiteral("/"), QStringLiteral(":"));
    return claves;
}

void ModeloDeJuegos::PonerCatalogo(std::shared_ptr<const Catalogo> catalogo)
{
    BuscarMaquinas(std::move(catalogo));
    if (!m_filas.isEmpty())
        Q_EMIT dataChanged(index(0), index(Cantidad() - 1));
}

void ModeloDeJuegos::PonerFavoritos(const DatosDelJugador &jugador)
{
    if (m_sistemas != jugador.Sistemas()) {
        m_sistemas = jugador.Sistemas();
        m_propios.clear();
        for (JuegoDeLista &fila : m_filas)
            Juzgar(fila);
        if (!m_filas.isEmpty())
            Q_EMIT dataChanged(index(0), index(Cantidad() - 1));
    }
    for (int p = 0; p < m_filas.size(); ++p) {
        JuegoDeLista &fila = m_filas[p];
        const bool favorito = !fila.desconocida && jugador.EsFavorito(fila.juego);
        if (favorito != fila.favorito) {
            fila.favorito = favorito;
            Q_EMIT dataChanged(index(p), index(p), {kRolFavorito});
        }
    }
}

void ModeloDeJuegos::Renombrar(int fila, const QString &archivo)
{
    if (!Valida(fila))
        return;
    JuegoDeLista &juego = m_filas[fila];
    juego.archivo = archivo;
    juego.clave = Clave(juego.titulo, archivo);
    ++m_generacion;
    Juzgar(juego);
}

int ModeloDeJuegos::FilaDeJuego(const QString &juego) const
{
    for (int p = 0; p < m_filas.size(); ++p) {
        if (!m_filas[p].desconocida && m_filas[p].juego == juego)
            return p;
    }
    return -1;
}

int ModeloDeJuegos::FilaDeTitulo(const QString &titulo) const
{
    for (int p = 0; p < m_filas.size(); ++p) {
        if (m_filas[p].titulo == titulo)
            return p;
    }
    return -1;
}

int ModeloDeJuegos::rowCount(const QModelIndex &padre) const
{
    return padre.isValid() ? 0 : Cantidad();
}

QVariant ModeloDeJuegos::data(const QModelIndex &indice, int rol) const
{
    if (!indice.isValid() || !Valida(indice.row()))
        return {};
    const JuegoDeLista &fila = m_filas[indice.row()];
    if (rol == Qt::DisplayRole)
        return ArchivoTexto::Visible(fila.titulo);
    if (rol == kRolFavorito)
        return fila.favorito;
    if (rol == kRolNoJugable)
        return fila.jugable == JuegoDeLista::Jugable::Incorrecto;
    return {};
}

} // namespace Corvala
