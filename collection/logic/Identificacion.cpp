#include "collection/logic/Identificacion.h"

#include <QHash>

#include <algorithm>

namespace Corvala::Identificacion {

namespace {

// Each different file of the archive once: a set's ROM is counted once however many copies
// the archive holds.
QVector<QPair<quint32, quint64>> Contenido(const DirectorioZip &directorio)
{
    QVector<QPair<quint32, quint64>> contenido;
    contenido.reserve(directorio.archivos.size());
    for (const DirectorioZip::Archivo &archivo : directorio.archivos)
        contenido.append({archivo.crc, archivo.tamano});
    std::sort(contenido.begin(), contenido.end());
    contenido.erase(std::unique(contenido.begin(), contenido.end()), contenido.end());
    return contenido;
}

struct Presencia
{
    int roms = 0;
    int propias = 0;
};

QHash<qint32, Presencia> Presencias(const Catalogo &catalogo, const DirectorioZip &directorio)
{
    QHash<qint32, Presencia> presencias;
    for (const auto &[crc, tamano] : Contenido(directorio)) {
        for (auto [rom, fin] = catalogo.Iguales(crc, tamano); rom != fin; ++rom) {
            Presencia &presencia = presencias[rom->maquina];
            ++presencia.roms;
            presencia.propias += rom->propia ? 1 : 0;
        }
    }
    return presencias;
}

} // namespace

bool Mejor(const Candidato &a, const Candidato &b)
{
    if (a.completo != b.completo)
        return a.completo;
    const qint64 cuotaA = qint64(a.presentes) * b.roms;
    const qint64 cuotaB = qint64(b.presentes) * a.roms;
    if (cuotaA != cuotaB)
        return cuotaA > cuotaB;
    if (a.clon != b.clon)
        return !a.clon;
    return a.nombre < b.nombre;
}

QVector<Candidato> Candidatos(const Catalogo &catalogo, const DirectorioZip &directorio)
{
    QVector<Candidato> candidatos;
    const QHash<qint32, Presencia> presencias = Presencias(catalogo, directorio);
    for (auto presencia = presencias.cbegin(); presencia != presencias.cend(); ++presencia) {
        const FichaMaquina &ficha = catalogo.Ficha(presencia.key());
        if (ficha.esDispositivo)
            continue;
        const Catalogo::Cuenta cuenta = catalogo.CuentaDe(presencia.key());
        candidatos.append({ficha.nombre, ficha.descripcion, presencia->roms, cuenta.roms,
                           presencia->propias == cuenta.propias, !ficha.clonDe.isEmpty()});
    }
    std::sort(candidatos.begin(), candidatos.end(), Mejor);
    return candidatos;
}

QVector<Candidato> Completos(const QVector<Candidato> &candidatos)
{
    QVector<Candidato> completos;
    std::copy_if(candidatos.cbegin(), candidatos.cend(), std::back_inserter(completos),
                 [](const Candidato &candidato) { return candidato.completo; });
    return completos;
}

bool SirveAlJuego(const Catalogo &catalogo, const DirectorioZip &directorio, const QString &juego)
{
    const QVector<Candidato> candidatos = Candidatos(catalogo, directorio);
    return std::any_of(candidatos.cbegin(), candidatos.cend(), [&](const Candidato &candidato) {
        return candidato.completo && candidato.nombre.compare(juego, Qt::CaseInsensitive) == 0;
    });
}

QString Parecido(const Candidato &candidato)
{
    return QStringLiteral("%1, cuyo archivo es %2.zip").arg(candidato.titulo, candidato.nombre);
}

QString LineaDeParecido(const Candidato *candidato)
{
    return candidato ? QStringLiteral("Parece ser: ") + Parecido(*candidato) : QString();
}

std::optional<Candidato> Primero(const Catalogo *catalogo, const QString &ruta)
{
    if (!catalogo)
        return std::nullopt;
    const QVector<Candidato> candidatos = Candidatos(*catalogo, DirectorioZip::LeerConjunto(ruta));
    if (candidatos.isEmpty())
        return std::nullopt;
    return candidatos.first();
}

} // namespace Corvala::Identificacion
