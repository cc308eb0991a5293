#include "collection/logic/AuditoriaSoftware.h"

#include "catalogue/logic/Catalogo.h"
#include "collection/logic/ContenidoDeRoms.h"
#include "collection/logic/Identificacion.h"
#include "collection/logic/JuicioDeMaquinas.h"
#include "comun/logic/BaseSqlite.h"
#include "comun/logic/CarpetaMame.h"

#include <QDir>

#include <algorithm>

namespace Corvala::AuditoriaSoftware {

namespace {

// The items of a list with their files, as the judge of machines takes them: each item is a
// "machine" named LIST/ITEM, whose parent is its cloneof.
bool LeerDetalles(BaseSqlite &base, const QString &lista, DetallesDeAuditoria &detalles,
                  QHash<QString, QString> &titulos)
{
    const QString prefijo = lista + QLatin1Char('/');
    BaseSqlite::Consulta items(base, "SELECT nombre, clon_de, descripcion FROM software "
                                     "WHERE lista = ?");
    items.Enlazar(1, lista);
    while (items.Siguiente()) {
        DetallesDeAuditoria::Maquina item;
        item.nombre = prefijo + items.Texto(0);
        if (const QString padre = items.Texto(1); !padre.isEmpty())
            item.romDe = prefijo + padre;
        titulos.insert(item.nombre, items.Texto(2));
        detalles.Agregar(std::move(item));
    }
    if (!items.Bien())
        return false;
    BaseSqlite::Consulta roms(base, "SELECT software, nombre, tamano, crc, sha1, estado, disco "
                                    "FROM roms_software WHERE lista = ?");
    roms.Enlazar(1, lista);
    while (roms.Siguiente()) {
        const int numero = detalles.numeros.value(prefijo + roms.Texto(0), -1);
        if (numero < 0)
            continue;
        DetallesDeAuditoria::Maquina &item = detalles.maquinas[numero];
        const QString estado = roms.Texto(5);
        if (roms.Entero(6) != 0) {
            item.discos.append({roms.Texto(1), roms.Texto(4), {}, estado, false});
            continue;
        }
        DetallesDeAuditoria::Rom rom;
        rom.nombre = roms.Texto(1);
        rom.tamano = roms.Entero(2);
        rom.crc = roms.Texto(3).toUInt(&rom.conCrc, 16);
        rom.sinVolcado = estado == u"nodump";
        rom.dudoso = estado == u"baddump";
        item.roms.append(rom);
    }
    detalles.Enlazar();
    return roms.Bien();
}

// The item an archive the list does not know holds most files of, a whole one first.
std::optional<Candidato> Parecido(const DetallesDeAuditoria &detalles,
                                  const QHash<quint64, QVector<int>> &porCrc,
                                  const QHash<QString, QString> &titulos,
                                  const ContenidoDeRoms::Conjunto &conjunto)
{
    QHash<int, int> presentes;
    for (const DirectorioZip::Archivo &archivo : conjunto.archivos) {
        const quint64 clave = (quint64(archivo.crc) << 32) ^ quint64(archivo.tamano);
        for (const int item : porCrc.value(clave))
            ++presentes[item];
    }
    std::optional<Candidato> mejor;
    for (auto p = presentes.cbegin(); p != presentes.cend(); ++p) {
        const DetallesDeAuditoria::Maquina &item = detalles.maquinas[p.key()];
        const int roms = int(std::count_if(item.roms.cbegin(), item.roms.cend(),
                                           [](const auto &rom) { return !rom.sinVolcado; }));
        Candidato candidato{item.nombre, titulos.value(item.nombre), p.value(),
                            roms,        p.value() >= roms,          !item.romDe.isEmpty()};
        if (!mejor || Identificacion::Mejor(candidato, *mejor))
            mejor = candidato;
    }
    return mejor;
}

} // namespace

ResultadoAuditoriaSoftware Auditar(const CarpetaMame &carpeta, const QSet<QString> &listas,
                                   const std::atomic<bool> *cancelar)
{
    ResultadoAuditoriaSoftware resultado;
    const QString ruta = Catalogo::Ruta(carpeta);
    BaseSqlite base;
    if (!base.Abrir(ruta, true)) {
        resultado.motivo = base.Motivo();
        return resultado;
    }
    QStringList ordenadas(listas.cbegin(), listas.cend());
    std::sort(ordenadas.begin(), ordenadas.end());
    for (const QString &lista : std::as_const(ordenadas)) {
        if (cancelar && cancelar->load()) {
            resultado.motivo = QStringLiteral("cancelada");
            return resultado;
        }
        DetallesDeAuditoria detalles;
        QHash<QString, QString> titulos;
        if (!LeerDetalles(base, lista, detalles, titulos)) {
            resultado.motivo = base.Motivo();
            return resultado;
        }
        const QString prefijo = lista + QLatin1Char('/');
        ContenidoDeRoms contenido
                = ContenidoDeRoms::Leer(QDir(carpeta.Ruta(QStringLiteral("roms"))).filePath(lista),
                                        ruta, cancelar, prefijo);
        for (ContenidoDeRoms::Conjunto &conjunto : contenido.conjuntos)
            conjunto.nombre.prepend(prefijo);
        JuicioDeMaquinas juicio(detalles, contenido, {});
        juicio.ComoSoftware();
        for (int m = 0; m < detalles.maquinas.size(); ++m) {
            if (!juicio.Candidata(m))
                continue;
            if (const std::optional<Veredicto> &v = juicio.Juzgado(m))
                resultado.veredictos.insert(detalles.maquinas[m].nombre, *v);
        }
        // What the list does not know is looked for by its files.
        QHash<quint64, QVector<int>> porCrc;
        for (const ContenidoDeRoms::Conjunto &conjunto : std::as_const(contenido.conjuntos)) {
            if (detalles.numeros.contains(conjunto.nombre))
                continue;
            if (porCrc.isEmpty()) {
                for (int m = 0; m < detalles.maquinas.size(); ++m) {
                    for (const DetallesDeAuditoria::Rom &rom : detalles.maquinas[m].roms) {
                        if (rom.conCrc && !rom.sinVolcado)
                            porCrc[(quint64(rom.crc) << 32) ^ quint64(rom.tamano)].append(m);
                    }
                }
            }
            if (const std::optional<Candidato> parecido
                = Parecido(detalles, porCrc, titulos, conjunto))
                resultado.parecidos.insert(conjunto.Archivo(), *parecido);
        }
    }
    BaseSqlite escritura;
    if (!escritura.Abrir(ruta, false)) {
        resultado.motivoAlGuardar = escritura.Motivo();
        return resultado;
    }
    bool bien = escritura.Ejecutar("CREATE TABLE IF NOT EXISTS auditoria_software(lista TEXT, "
                                   "nombre TEXT, estado TEXT, motivo TEXT, "
                                   "PRIMARY KEY (lista, nombre))")
                && escritura.Ejecutar("BEGIN IMMEDIATE")
                && escritura.Ejecutar("DELETE FROM auditoria_software");
    {
        BaseSqlite::Consulta poner(escritura,
                                   "INSERT OR REPLACE INTO auditoria_software VALUES (?, ?, ?, ?)");
        for (auto v = resultado.veredictos.cbegin(); bien && v != resultado.veredictos.cend();
             ++v) {
            const qsizetype barra = v.key().indexOf(QLatin1Char('/'));
            poner.Enlazar(1, v.key().left(barra));
            poner.Enlazar(2, v.key().mid(barra + 1));
            poner.Enlazar(3, Veredicto::Palabra(v->estado));
            poner.Enlazar(4, v->motivo);
            bien = poner.Paso();
        }
    }
    if (!bien || !escritura.Ejecutar("COMMIT")) {
        resultado.motivoAlGuardar = escritura.Motivo();
        escritura.Ejecutar("ROLLBACK");
    }
    return resultado;
}

} // namespace Corvala::AuditoriaSoftware
