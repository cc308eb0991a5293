#include "collection/logic/JuicioDeMaquinas.h"

#include <algorithm>

namespace Corvala {

QString Veredicto::Palabra(Estado estado)
{
    switch (estado) {
    case Estado::Correcto:
        return QStringLiteral("correcto");
    case Estado::MejorDisponible:
        return QStringLiteral("mejor_disponible");
    case Estado::Incorrecto:
        break;
    }
    return QStringLiteral("incorrecto");
}

Veredicto::Estado Veredicto::DePalabra(QByteArrayView palabra)
{
    return palabra == "correcto"           ? Estado::Correcto
           : palabra == "mejor_disponible" ? Estado::MejorDisponible
                                           : Estado::Incorrecto;
}

int DetallesDeAuditoria::Agregar(Maquina maquina)
{
    const int numero = int(maquinas.size());
    numeros.insert(maquina.nombre, numero);
    maquinas.append(std::move(maquina));
    return numero;
}

void DetallesDeAuditoria::Enlazar()
{
    for (Maquina &m : maquinas)
        m.padre = m.romDe.isEmpty() ? -1 : numeros.value(m.romDe, -1);
}

namespace {

using Estado = Veredicto::Estado;

// How one file of a machine stands, in the emulator's terms.
enum class Situacion {
    Bien,
    Dudoso,            // found, a bad dump: best available
    SinVolcadoHallado, // found, no good dump known: best available
    FaltaSinVolcado,   // missing, no dump known: best available
    FaltaOpcional,     // best available
    Falta,
    Incorrecto, // wrong size or CRC (SHA-1 for a disk)
};

bool Mala(Situacion s)
{
    return s == Situacion::Falta || s == Situacion::Incorrecto;
}

// A list of names for the player: the first few, and how many more.
QString Nombres(const QStringList &nombres)
{
    constexpr int kCuantos = 4;
    if (nombres.size() <= kCuantos)
        return nombres.join(QLatin1String(", "));
    return QStringLiteral("%1 y %2 más")
            .arg(nombres.mid(0, kCuantos).join(QLatin1String(", ")))
            .arg(nombres.size() - kCuantos);
}

} // namespace

struct JuicioDeMaquinas::Problema
{
    Dueno dueno;
    Situacion situacion;
    QString nombre;
};

JuicioDeMaquinas::JuicioDeMaquinas(const DetallesDeAuditoria &detalles,
                                   const ContenidoDeRoms &contenido, MuestrasDe muestrasDe)
    : m_d(detalles)
    , m_muestrasDe(std::move(muestrasDe))
{
    for (const ContenidoDeRoms::Conjunto &c : contenido.conjuntos) {
        if (c.carpeta) {
            m_carpetas.insert(c.nombre, &c);
            continue;
        }
        QVector<const ContenidoDeRoms::Conjunto *> &suyos = m_archivos[c.nombre];
        suyos.insert(c.sieteZ ? suyos.size() : 0, &c);
    }
}

bool JuicioDeMaquinas::Presente(const QString &nombre) const
{
    return m_archivos.contains(nombre) || m_carpetas.contains(nombre);
}

QString JuicioDeMaquinas::Formas(const QString &nombre) const
{
    QStringList formas;
    if (const auto *carpeta = m_carpetas.value(nombre))
        formas << carpeta->Archivo();
    for (const auto *archivo : m_archivos.value(nombre))
        formas << archivo->Archivo();
    if (formas.isEmpty())
        return QStringLiteral("%1 (ni .zip, ni .7z, ni carpeta)").arg(nombre);
    const QString ultima = formas.takeLast();
    return formas.isEmpty() ? ultima
                            : formas.join(QLatin1String(", ")) + QLatin1String(" y ") + ultima;
}

QVector<int> JuicioDeMaquinas::Camino(int m) const
{
    QVector<int> camino{m};
    for (int p = m_d.maquinas[m].padre; p >= 0 && camino.size() < 8 && !camino.contains(p);
         p = m_d.maquinas[p].padre)
        camino.append(p);
    return camino;
}

bool JuicioDeMaquinas::Candidata(int m) const
{
    const QVector<int> camino = Camino(m);
    return std::any_of(camino.cbegin(), camino.cend(),
                       [this](int k) { return Presente(m_d.maquinas[k].nombre); })
           || std::any_of(m_d.maquinas[m].dispositivos.cbegin(),
                          m_d.maquinas[m].dispositivos.cend(),
                          [this](int k) { return Presente(m_d.maquinas[k].nombre); });
}

const std::optional<Veredicto> &JuicioDeMaquinas::Juzgado(int m)
{
    auto hecho = m_juzgadas.find(m);
    if (hecho == m_juzgadas.end()) {
        // A machine that is its own ancestor is not judged twice.
        m_juzgadas.emplace(m);
        std::optional<Veredicto> v = Juzgar(m);
        hecho = m_juzgadas.insert(m, std::move(v));
    }
    return *hecho;
}

bool JuicioDeMaquinas::Ausente(int m)
{
    Juzgado(m);
    return m_ausentes.contains(m);
}

JuicioDeMaquinas::Hallado JuicioDeMaquinas::Buscar(const QStringList &camino, const Rom &rom) const
{
    for (int en = 0; en < camino.size(); ++en) {
        const QString &conjunto = camino[en];
        // A folder's file by its name; then an archive's by its CRC, or else by its name.
        if (const auto *carpeta = m_carpetas.value(conjunto)) {
            for (const DirectorioZip::Archivo &a : carpeta->archivos) {
                if (a.nombre == rom.nombre)
                    return {true, a.crc, qint64(a.tamano), en};
            }
        }
        static const QVector<const ContenidoDeRoms::Conjunto *> kNinguno;
        const auto suyos = m_archivos.constFind(conjunto);
        for (const auto *zip : suyos == m_archivos.cend() ? kNinguno : *suyos) {
            if (rom.conCrc) {
                for (const DirectorioZip::Archivo &a : zip->archivos) {
                    if (a.crc == rom.crc)
                        return {true, a.crc, qint64(a.tamano), en};
                }
            }
            for (const DirectorioZip::Archivo &a : zip->archivos) {
                if (a.nombre.compare(rom.nombre, Qt::CaseInsensitive) == 0)
                    return {true, a.crc, qint64(a.tamano), en};
            }
        }
    }
    return {};
}

bool JuicioDeMaquinas::Compartida(const QVector<int> &camino, quint32 crc, qint64 tamano,
                                  bool conCrc, const QString &nombre)
{
    for (int k = 1; k < camino.size(); ++k) {
        // A machine's ROMs by size and CRC, and by name, gathered once: a BIOS is an ancestor
        // of hundreds of games.
        auto suyas = m_suyas.find(camino[k]);
        if (suyas == m_suyas.end()) {
            Suyas nuevas;
            for (const Rom &rom : m_d.maquinas[camino[k]].roms) {
                if (rom.conCrc)
                    nuevas.crcs.insert((quint64(rom.crc) << 32) ^ quint64(rom.tamano));
                nuevas.nombres.insert({rom.nombre, rom.tamano});
            }
            suyas = m_suyas.insert(camino[k], std::move(nuevas));
        }
        if (conCrc ? suyas->crcs.contains((quint64(crc) << 32) ^ quint64(tamano))
                   : suyas->nombres.contains({nombre, tamano}))
            return true;
    }
    return false;
}

JuicioDeMaquinas::Dueno JuicioDeMaquinas::DuenoDe(const QVector<int> &camino, const Rom &rom) const
{
    if (rom.fusion.isEmpty())
        return {};
    int dueno = -1;
    for (int k = 1; k < camino.size() && dueno < 0; ++k) {
        for (const Rom &suya : m_d.maquinas[camino[k]].roms) {
            if (suya.nombre == rom.fusion) {
                if (suya.fusion.isEmpty())
                    dueno = camino[k];
                else if (k == camino.size() - 1)
                    dueno = camino[k];
                break;
            }
        }
    }
    if (dueno < 0)
        return {};
    const Maquina &m = m_d.maquinas[dueno];
    return {m.esBios ? Dueno::Tipo::Bios : Dueno::Tipo::Padre, m.nombre};
}

QString JuicioDeMaquinas::Muestras(const Maquina &maquina)
{
    if (maquina.muestras.isEmpty())
        return {};
    const QString conjunto = maquina.muestrasDe.isEmpty() ? maquina.nombre : maquina.muestrasDe;
    auto hay = m_muestras.find(conjunto);
    if (hay == m_muestras.end()) {
        hay = m_muestras.insert(conjunto, m_muestrasDe ? m_muestrasDe(conjunto) : QSet<QString>());
    }
    int faltan = 0;
    for (const QString &muestra : maquina.muestras) {
        const QString base = muestra.toLower();
        if (!hay->contains(base + QLatin1String(".wav"))
            && !hay->contains(base + QLatin1String(".flac")))
            ++faltan;
    }
    if (faltan == 0)
        return {};
    return faltan == maquina.muestras.size()
                   ? QStringLiteral(
                             "Faltan las muestras de sonido (%1.zip); el juego funciona sin ellas.")
                             .arg(conjunto)
                   : QStringLiteral("Faltan %1 de sus %2 muestras de sonido (%3.zip); el juego "
                                    "funciona sin ellas.")
                             .arg(faltan)
                             .arg(maquina.muestras.size())
                             .arg(conjunto);
}

std::optional<Veredicto> JuicioDeMaquinas::Juzgar(int numero)
{
    const Maquina &maquina = m_d.maquinas[numero];
    const QVector<int> camino = maquina.esDispositivo ? QVector<int>{numero} : Camino(numero);
    QStringList nombres;
    for (const int k : camino)
        nombres << m_d.maquinas[k].nombre;

    int hallados = 0, requeridos = 0, halladosCompartidos = 0, requeridosCompartidos = 0;
    QVector<Problema> problemas;
    Veredicto veredicto;

    const auto contar = [&](const Rom &rom, bool compartida, const Hallado &hallado,
                            const Dueno &dueno, bool halladoCuenta) {
        if (!rom.sinVolcado && !rom.opcional) {
            ++requeridos;
            requeridosCompartidos += compartida ? 1 : 0;
        }
        Situacion s = Situacion::Bien;
        if (!hallado.si)
            s = rom.sinVolcado ? Situacion::FaltaSinVolcado
                : rom.opcional ? Situacion::FaltaOpcional
                               : Situacion::Falta;
        else if (hallado.tamano != rom.tamano)
            s = Situacion::Incorrecto;
        else if (rom.sinVolcado)
            s = Situacion::SinVolcadoHallado;
        else if (rom.conCrc && hallado.crc != rom.crc)
            s = Situacion::Incorrecto;
        else if (rom.dudoso)
            s = Situacion::Dudoso;
        if (hallado.si && (s != Situacion::Incorrecto || halladoCuenta)) {
            ++hallados;
            halladosCompartidos += compartida ? 1 : 0;
        }
        if (s != Situacion::Bien)
            problemas.append({dueno, s, rom.nombre});
        if (Mala(s))
            veredicto.faltan.append({rom.nombre, rom.crc, rom.tamano});
    };

    for (const Rom &rom : maquina.roms) {
        const Hallado hallado = Buscar(nombres, rom);
        const bool compartida = !maquina.esDispositivo
                                && Compartida(camino, rom.crc, rom.tamano, rom.conCrc, rom.nombre);
        // Measured with the emulator (0.251): a wrong file makes the set present only when it
        // lies in the set's own archive in place of one the set does not share with an ancestor.
        const bool cuenta = m_software || (hallado.si && hallado.en == 0 && !compartida);
        contar(rom, compartida, hallado, DuenoDe(camino, rom), cuenta);
    }
    for (const FichaMaquina::Disco &disco : maquina.discos) {
        const bool sinVolcado = disco.estado == u"nodump";
        QString sha1;
        for (const QString &conjunto : std::as_const(nombres)) {
            if (const auto *carpeta = m_carpetas.value(conjunto)) {
                sha1 = carpeta->discos.value(disco.nombre);
                if (sha1.isEmpty() && !disco.fusion.isEmpty())
                    sha1 = carpeta->discos.value(disco.fusion);
                if (!sha1.isEmpty())
                    break;
            }
        }
        bool compartido = false;
        for (int k = 1; k < camino.size() && !disco.sha1.isEmpty(); ++k) {
            for (const FichaMaquina::Disco &suyo : m_d.maquinas[camino[k]].discos)
                compartido = compartido || suyo.sha1 == disco.sha1;
        }
        Rom comoRom;
        comoRom.nombre = disco.nombre;
        comoRom.sinVolcado = sinVolcado;
        comoRom.dudoso = disco.estado == u"baddump";
        comoRom.opcional = disco.opcional;
        comoRom.conCrc = !sinVolcado && !disco.sha1.isEmpty();
        // A disk is judged by its SHA-1: a CRC of 0 and a size of 0 on both sides.
        Hallado hallado{!sha1.isEmpty(), 0, 0};
        if (hallado.si && !disco.sha1.isEmpty() && sha1 != disco.sha1)
            hallado.crc = 1;
        contar(comoRom, compartido, hallado, {Dueno::Tipo::Disco, disco.nombre}, true);
    }
    // A device's own check takes its own ROMs only; a machine's takes its devices' too.
    for (const int d : maquina.esDispositivo ? QVector<int>() : maquina.dispositivos) {
        const Maquina &dispositivo = m_d.maquinas[d];
        const QStringList caminoDelDispositivo = QStringList{dispositivo.nombre} + nombres;
        for (const Rom &rom : dispositivo.roms)
            contar(rom, true, Buscar(caminoDelDispositivo, rom),
                   {Dueno::Tipo::Dispositivo, dispositivo.nombre}, true);
    }

    // As the emulator: a set of which only what it shares with its ancestors is found, when it
    // has files of its own or its parent is not there either, is not there at all.
    if (m_software ? hallados == 0
        : maquina.esDispositivo
                ? hallados == 0 && requeridos > 0
                : hallados == halladosCompartidos && requeridos > 0
                          && (requeridos != requeridosCompartidos || halladosCompartidos == 0
                              || (maquina.padre >= 0 && Ausente(maquina.padre)))) {
        m_ausentes.insert(numero);
        return std::nullopt;
    }
    if (hallados == 0)
        return std::nullopt;

    const bool incorrecto = std::any_of(problemas.cbegin(), problemas.cend(),
                                        [](const Problema &p) { return Mala(p.situacion); });
    veredicto.estado = incorrecto            ? Estado::Incorrecto
                       : problemas.isEmpty() ? Estado::Correcto
                                             : Estado::MejorDisponible;

    Explicar(problemas, incorrecto, veredicto);
    veredicto.muestras = Muestras(maquina);
    return veredicto;
}

void JuicioDeMaquinas::Explicar(const QVector<Problema> &problemas, bool incorrecto,
                                Veredicto &veredicto) const
{
    // The problems of each owner together.
    QStringList frases;
    QVector<Dueno> duenos;
    for (const Problema &p : std::as_const(problemas)) {
        if ((Mala(p.situacion) || !incorrecto) && !duenos.contains(p.dueno))
            duenos.append(p.dueno);
    }
    for (const Dueno &dueno : std::as_const(duenos)) {
        QStringList faltan, mal, dudosos, sinVolcado, opcionales;
        const std::pair<Situacion, QStringList *> donde[] = {
                {Situacion::Falta, &faltan},
                {Situacion::Incorrecto, &mal},
                {Situacion::Dudoso, &dudosos},
                {Situacion::SinVolcadoHallado, &sinVolcado},
                {Situacion::FaltaSinVolcado, &sinVolcado},
                {Situacion::FaltaOpcional, &opcionales},
        };
        for (const Problema &p : std::as_const(problemas)) {
            for (const auto &[situacion, lista] : donde) {
                if (p.dueno == dueno && p.situacion == situacion)
                    *lista << p.nombre;
            }
        }
        const QString archivo = Formas(dueno.conjunto);
        const bool ausente = !Presente(dueno.conjunto);
        if ((!faltan.isEmpty() || !mal.isEmpty()) && ausente && dueno.tipo != Dueno::Tipo::Propio
            && dueno.tipo != Dueno::Tipo::Disco && !veredicto.archivosQueFaltan.contains(archivo))
            veredicto.archivosQueFaltan << archivo;
        switch (dueno.tipo) {
        case Dueno::Tipo::Propio:
            if (faltan.size() == 1)
                frases << QStringLiteral("Falta el archivo %1").arg(faltan.first());
            else if (!faltan.isEmpty())
                frases << QStringLiteral("Faltan %1 archivos del juego: %2")
                                  .arg(faltan.size())
                                  .arg(Nombres(faltan));
            if (mal.size() == 1)
                frases << QStringLiteral("El archivo %1 no es el bueno (otro tamaño o CRC)")
                                  .arg(mal.first());
            else if (!mal.isEmpty())
                frases << QStringLiteral("Hay %1 archivos que no son los buenos (otro tamaño o "
                                         "CRC): %2")
                                  .arg(mal.size())
                                  .arg(Nombres(mal));
            break;
        case Dueno::Tipo::Padre:
            if (!faltan.isEmpty() || !mal.isEmpty())
                frases << (ausente ? QStringLiteral("Falta %1, el juego original del que es clon")
                                             .arg(archivo)
                                   : QStringLiteral("Faltan %1 archivos del juego original "
                                                    "(%2): %3")
                                             .arg(faltan.size() + mal.size())
                                             .arg(archivo, Nombres(faltan + mal)));
            break;
        case Dueno::Tipo::Bios:
            if (!faltan.isEmpty() || !mal.isEmpty())
                frases << (ausente ? QStringLiteral("Falta la BIOS %1").arg(archivo)
                                   : QStringLiteral("Faltan %1 archivos de la BIOS %2: %3")
                                             .arg(faltan.size() + mal.size())
                                             .arg(archivo, Nombres(faltan + mal)));
            break;
        case Dueno::Tipo::Dispositivo:
            if (!faltan.isEmpty())
                frases << QStringLiteral("Faltan las ROMs del dispositivo %1").arg(dueno.conjunto);
            if (!mal.isEmpty())
                frases << QStringLiteral("Las ROMs del dispositivo %1 no son las buenas")
                                  .arg(dueno.conjunto);
            break;
        case Dueno::Tipo::Disco:
            if (!faltan.isEmpty())
                frases << QStringLiteral("Falta el disco (CHD) %1").arg(dueno.conjunto);
            if (!mal.isEmpty())
                frases << QStringLiteral("El disco (CHD) %1 no es el bueno").arg(dueno.conjunto);
            break;
        }
        if (!incorrecto) {
            if (!dudosos.isEmpty())
                frases << QStringLiteral("Tiene archivos de los que se espera un volcado mejor: %1")
                                  .arg(Nombres(dudosos));
            if (!sinVolcado.isEmpty())
                frases << QStringLiteral("Le faltan archivos de los que no se conoce un volcado "
                                         "bueno: %1")
                                  .arg(Nombres(sinVolcado));
            if (!opcionales.isEmpty())
                frases << QStringLiteral("Le faltan archivos opcionales: %1")
                                  .arg(Nombres(opcionales));
        }
    }
    if (!frases.isEmpty())
        veredicto.motivo = frases.join(QLatin1String(". ")) + QLatin1Char('.');
}

} // namespace Corvala
