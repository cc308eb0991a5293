#include "frontend/windows/MandoDeVentana.h"

#include "comun/logic/Sesion.h"
#include "frontend/windows/VistaDeJuegos.h"

#include <QApplication>
#include <QMessageBox>

namespace Corvala {

MandoDeVentana::MandoDeVentana(QWidget &ventana, VistaDeJuegos &juegos, const Sesion &sesion,
                               std::function<void()> jugar)
    : QObject(&ventana)
{
    const auto cajaAbierta
            = [] { return qobject_cast<QMessageBox *>(QApplication::activeModalWidget()); };
    m_mando.Escuchar([&ventana, &sesion, cajaAbierta] {
        return !sesion.ocupado && (ventana.isActiveWindow() || cajaAbierta());
    });
    connect(&m_mando, &MandoDeLista::mover, this, [&juegos, cajaAbierta](int filas) {
        if (!cajaAbierta())
            juegos.MoverEleccion(filas);
    });
    connect(&m_mando, &MandoDeLista::pagina, this, [&juegos, cajaAbierta](int sentido) {
        if (!cajaAbierta())
            juegos.MoverEleccion(sentido, true);
    });
    connect(&m_mando, &MandoDeLista::jugar, this, [jugar = std::move(jugar), cajaAbierta] {
        if (!cajaAbierta())
            jugar();
    });
    connect(&m_mando, &MandoDeLista::atras, this, [&juegos, cajaAbierta] {
        if (QMessageBox *caja = cajaAbierta())
            caja->reject();
        else
            juegos.CerrarBusqueda();
    });
}

} // namespace Corvala
