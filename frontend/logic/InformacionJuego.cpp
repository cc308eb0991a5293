#include "frontend/logic/InformacionJuego.h"

#include "collection/logic/SoftwareDeRoms.h"

#include "comun/logic/ArchivoTexto.h"

#include <QLocale>

#include <algorithm>

namespace Corvala::InformacionJuego {

namespace {

// The player's own rows: the plays and whether it is a favourite.
QList<QPair<QString, QString>> DelJugador(const Jugado &jugado, bool favorito)
{
    const QLocale espanol(QLocale::Spanish, QLocale::Spain);
    return {{QStringLiteral("Partidas:"),
             jugado.veces == 0
                     ? QStringLiteral("Ninguna")
                     : QStringLiteral("%1, la última el %2")
                               .arg(jugado.veces)
                               .arg(espanol.toString(jugado.ultima,
                                                     QStringLiteral("dd/MM/yyyy HH:mm")))},
            {QStringLiteral("Favorito:"), favorito ? QStringLiteral("Sí") : QStringLiteral("No")}};
}

// A clone's parent, by its title when the catalogue has it.
QString Padre(const FichaMaquina &maquina, const Catalogo *catalogo)
{
    const FichaMaquina *padre = catalogo ? catalogo->Maquina(maquina.clonDe) : nullptr;
    return padre && !padre->descripcion.isEmpty() ? padre->descripcion : maquina.clonDe;
}

QString Tipo(const FichaMaquina &maquina)
{
    if (maquina.esBios)
        return QStringLiteral("BIOS");
    if (maquina.esDispositivo)
        return QStringLiteral("Dispositivo");
    if (maquina.esMecanica)
        return QStringLiteral("Máquina mecánica");
    return {};
}

} // namespace

QString TextoEstado(const QString &estado)
{
    if (estado == u"good")
        return QStringLiteral("Funciona");
    if (estado == u"imperfect")
        return QStringLiteral("Funciona con fallos");
    if (estado == u"preliminary")
        return QStringLiteral("No funciona");
    return estado;
}

QString LineaDeAyuda(const FichaMaquina *maquina, const Catalogo *catalogo)
{
    if (!maquina)
        return {};
    QStringList partes;
    if (!maquina->anio.isEmpty())
        partes << QStringLiteral("Año: ") + maquina->anio;
    if (!maquina->fabricante.isEmpty())
        partes << QStringLiteral("Fabricante: ") + maquina->fabricante;
    if (!maquina->clonDe.isEmpty())
        partes << QStringLiteral("Clon de: ") + Padre(*maquina, catalogo);
    if (!maquina->estado.isEmpty())
        partes << QStringLiteral("Estado: ") + TextoEstado(maquina->estado);
    return partes.join(QStringLiteral(" · "));
}

namespace {

QString ConMuestras(QString texto, const JuegoDeLista &fila)
{
    if (const QString muestras = fila.Muestras(); !muestras.isEmpty())
        texto += QLatin1Char(' ') + muestras;
    return texto;
}

} // namespace

namespace {

// Whether a row's game can run, in the words given for each verdict, with why and its samples.
QString Jugable(const JuegoDeLista &fila, const char *correcto, const char *mejor,
                const char *incorrecto)
{
    QString texto;
    switch (fila.jugable) {
    case JuegoDeLista::Jugable::SinAuditar:
        return {};
    case JuegoDeLista::Jugable::Correcto:
        texto = QString::fromUtf8(correcto);
        break;
    case JuegoDeLista::Jugable::MejorDisponible:
        texto = QString::fromUtf8(mejor) + fila.Motivo();
        break;
    case JuegoDeLista::Jugable::Incorrecto:
        texto = QString::fromUtf8(incorrecto) + fila.Motivo();
        break;
    }
    return ConMuestras(texto, fila);
}

} // namespace

QString LineaDeJugable(const JuegoDeLista &fila)
{
    return Jugable(fila, "Se puede jugar: tiene todos sus archivos.",
                   "Se puede jugar, con lo mejor que hay: ", "No se puede jugar: ");
}

QString TextoDeArchivo(const JuegoDeLista &fila, const QStringList &formas)
{
    if (fila.enElPadre)
        return QStringLiteral("%1 (el del juego original)").arg(fila.archivo);
    return formas.size() > 1 ? QStringLiteral("%1 (el emulador mira en ese orden)")
                                       .arg(formas.join(QLatin1String(", ")))
                             : fila.archivo;
}

QString LineaDeFormas(const QStringList &formas)
{
    return formas.size() > 1 ? QStringLiteral("Está como %1: el emulador mira en ese orden.")
                                       .arg(formas.join(QLatin1String(", ")))
                             : QString();
}

QString LineaDeOrigen(const JuegoDeLista &fila)
{
    return fila.enElPadre
                   ? QStringLiteral("Es un clon: sus archivos están en el del juego original.")
                   : QString();
}

QString ValorDeJugable(const JuegoDeLista &fila)
{
    return Jugable(fila, "Sí.", "Sí, con lo mejor que hay: ", "No: ");
}

QList<QPair<QString, QString>> Filas(const QString &titulo, const QString &archivo,
                                     const FichaMaquina *maquina, const Catalogo *catalogo,
                                     const Jugado &jugado, bool favorito, const Candidato *parecido,
                                     const QString &jugable)
{
    QList<QPair<QString, QString>> filas{
            {QStringLiteral("Juego:"), ArchivoTexto::Visible(titulo)},
            {QStringLiteral("Archivo:"), ArchivoTexto::Visible(archivo)}};
    if (maquina) {
        const QString desconocido = QStringLiteral("Desconocido");
        filas << qMakePair(QStringLiteral("Año:"),
                           maquina->anio.isEmpty() ? desconocido : maquina->anio)
              << qMakePair(QStringLiteral("Fabricante:"),
                           maquina->fabricante.isEmpty() ? desconocido : maquina->fabricante);
        if (!maquina->clonDe.isEmpty())
            filas << qMakePair(QStringLiteral("Clon de:"), Padre(*maquina, catalogo));
        if (!maquina->estado.isEmpty())
            filas << qMakePair(QStringLiteral("Estado:"), TextoEstado(maquina->estado));
        if (maquina->jugadores > 0)
            filas << qMakePair(QStringLiteral("Jugadores:"), QString::number(maquina->jugadores));
        if (const QString tipo = Tipo(*maquina); !tipo.isEmpty())
            filas << qMakePair(QStringLiteral("Tipo:"), tipo);
        if (!jugable.isEmpty())
            filas << qMakePair(QStringLiteral("Jugable:"), jugable);
    } else {
        filas << qMakePair(QStringLiteral("Catálogo:"),
                           catalogo ? QStringLiteral("El emulador no conoce este archivo.")
                                    : QStringLiteral("Todavía no hay catálogo del emulador."));
        if (parecido)
            filas << qMakePair(QStringLiteral("Parece ser:"), Identificacion::Parecido(*parecido));
    }
    filas << DelJugador(jugado, favorito);
    return filas;
}

namespace {

QString Maquina(const Catalogo *catalogo, const QString &nombre)
{
    const FichaMaquina *maquina = catalogo ? catalogo->Maquina(nombre) : nullptr;
    return maquina ? QStringLiteral("%1 (%2)").arg(maquina->descripcion, nombre) : nombre;
}

} // namespace

QList<QPair<QString, QString>> FilasDeSoftware(const JuegoDeLista &fila,
                                               const CatalogoSoftware *software,
                                               const Jugado &jugado, const Candidato *parecido)
{
    QList<QPair<QString, QString>> filas{
            {QStringLiteral("Juego:"), ArchivoTexto::Visible(fila.titulo)},
            {QStringLiteral("Archivo:"), ArchivoTexto::Visible(fila.archivo)},
            {QStringLiteral("Lista:"),
             QStringLiteral("%1 (%2)").arg(SoftwareDeRoms::NombreDeLista(software, fila.lista),
                                           fila.lista)}};
    if (const FichaSoftware *item = fila.software) {
        const QString desconocido = QStringLiteral("Desconocido");
        filas << qMakePair(QStringLiteral("Año:"), item->anio.isEmpty() ? desconocido : item->anio)
              << qMakePair(QStringLiteral("Editor:"),
                           item->editor.isEmpty() ? desconocido : item->editor);
        if (!item->clonDe.isEmpty()) {
            const FichaSoftware *padre
                    = software ? software->Item(fila.lista, item->clonDe) : nullptr;
            filas << qMakePair(QStringLiteral("Clon de:"), padre ? QStringLiteral("%1 (%2)").arg(
                                                                   padre->descripcion, item->clonDe)
                                                                 : item->clonDe);
        }
        if (item->soportado == u"partial" || item->soportado == u"no")
            filas << qMakePair(QStringLiteral("Estado:"),
                               item->soportado == u"no"
                                       ? QStringLiteral("El emulador no lo soporta")
                                       : QStringLiteral("El emulador lo soporta en parte"));
        if (const QString jugable = ValorDeJugable(fila); !jugable.isEmpty())
            filas << qMakePair(QStringLiteral("Jugable:"), jugable);
    } else {
        filas << qMakePair(QStringLiteral("Catálogo:"),
                           QStringLiteral("La lista %1 no conoce este archivo.").arg(fila.lista));
        if (parecido)
            filas << qMakePair(QStringLiteral("Parece ser:"), Identificacion::Parecido(*parecido));
    }
    filas << DelJugador(jugado, fila.favorito);
    return filas;
}

QList<QPair<QString, QString>> Maquinas(const ModeloDeJuegos &filas, int fila)
{
    QList<QPair<QString, QString>> maquinas;
    if (!filas.Valida(fila))
        return maquinas;
    const QString &suya = filas.Fila(fila).sistema;
    for (const QString &nombre : filas.SistemasDe(fila)) {
        const QPair<QString, QString> maquina{nombre, Maquina(filas.CatalogoEnUso(), nombre)};
        if (nombre == suya)
            maquinas.prepend(maquina);
        else
            maquinas.append(maquina);
    }
    return maquinas;
}

QString LineaDeSoftware(const JuegoDeLista &fila, const CatalogoSoftware *software,
                        const Catalogo *catalogo)
{
    QStringList partes{QStringLiteral("Lista: ")
                       + SoftwareDeRoms::NombreDeLista(software, fila.lista)};
    if (fila.software && !fila.software->anio.isEmpty())
        partes << QStringLiteral("Año: ") + fila.software->anio;
    if (fila.software && !fila.software->editor.isEmpty())
        partes << QStringLiteral("Editor: ") + fila.software->editor;
    if (!fila.sistema.isEmpty())
        partes << QStringLiteral("Máquina: ") + Maquina(catalogo, fila.sistema);
    return partes.join(QStringLiteral(" · "));
}

namespace {

QString TextoDeCategorias(const JuegoDeLista &fila)
{
    QString texto = fila.categorias.join(QStringLiteral(", "));
    if (fila.clasificacion && fila.clasificacion->adultos)
        texto += QStringLiteral(" (para adultos)");
    return texto;
}

} // namespace

QList<QPair<QString, QString>> FilasDeClasificacion(const JuegoDeLista &fila,
                                                    const Clasificacion *clasificacion)
{
    QList<QPair<QString, QString>> filas;
    if (!fila.clasificacion || !clasificacion)
        return filas;
    if (!fila.categorias.isEmpty())
        filas.append({QStringLiteral("Categoría:"), TextoDeCategorias(fila)});
    if (const QString version = clasificacion->Version(*fila.clasificacion); !version.isEmpty())
        filas.append({QStringLiteral("Añadido en la versión:"), version});
    if (!fila.clasificacion->jugadores.isEmpty())
        filas.append({QStringLiteral("Jugadores:"),
                      Clasificacion::JugadoresEnPalabras(fila.clasificacion->jugadores)});
    return filas;
}

QList<QPair<QString, QString>> Con(QList<QPair<QString, QString>> filas,
                                   const QList<QPair<QString, QString>> &otras)
{
    for (const auto &otra : otras) {
        const auto igual = std::find_if(filas.begin(), filas.end(), [&otra](const auto &fila) {
            return fila.first == otra.first;
        });
        if (igual != filas.end())
            igual->second = otra.second;
        else
            filas.append(otra);
    }
    return filas;
}

QString LineaDeClasificacion(const JuegoDeLista &fila)
{
    QStringList partes;
    if (!fila.categorias.isEmpty())
        partes << QStringLiteral("Categoría: ") + TextoDeCategorias(fila);
    if (fila.clasificacion && !fila.clasificacion->jugadores.isEmpty())
        partes << QStringLiteral("Jugadores: ")
                          + Clasificacion::JugadoresEnPalabras(fila.clasificacion->jugadores);
    return partes.join(QStringLiteral(" · "));
}

} // namespace Corvala::InformacionJuego
