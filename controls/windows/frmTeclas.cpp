#include "controls/windows/frmTeclas.h"

#include "comun/logic/Sesion.h"
#include "comun/windows/BotonEtiqueta.h"
#include "comun/windows/Colores.h"
#include "comun/windows/EtiquetaPulsable.h"
#include "comun/windows/Imagenes.h"
#include "comun/windows/Lineas.h"
#include "comun/windows/Nombrar.h"
#include "comun/windows/Twips.h"
#include "controls/logic/Teclado.h"
#include "controls/logic/TeclaFisica.h"
#include "controls/logic/UsoDeTeclas.h"
#include "input/logic/TablaTeclas.h"

#include <QKeyEvent>

namespace Corvala {

using Colores::Colorear;

// How long "Usar Joystick" waits for a pad's press.
constexpr int kEsperaDeMando = 5000;
using Tipo = EdicionDeTeclas::Etiqueta;

namespace {

// The window as designed, frame included, and the frame of a window with a title bar.
constexpr int kAncho = 10035;
constexpr int kAlto = 4590;
constexpr int kMarcoAncho = 120;
constexpr int kMarcoAlto = 405;

// The keyboard lies centred in its frame Shape2.
const QRect kMarcoTeclado(1470, 510, 8325, 2220);

const char *const kAyudaJugador = "Se verá en gris el jugador seleccionado para su configuración.";
const char *const kAyudaControl = "Se verá en gris el control al que asignarás una tecla que "
                                  "posteriormente se guarde en el "
                                  "archivo de configuración.";
const char *const kAyudaDeshabilitada
        = "Teclas deshabilitadas, ya que son las que M.A.M.E. tiene asignadas para sus funciones "
          "principales";

} // namespace

QSize frmTeclas::TamanoDeDiseno()
{
    return Twips::Tamano(kAncho - kMarcoAncho, kAlto - kMarcoAlto);
}

frmTeclas::frmTeclas(Sesion &sesion, UsoDeTeclas &uso, QWidget *parent)
    : QDialog(parent)
    , m_sesion(sesion)
    , m_uso(uso)
    , m_edicion(sesion.teclasAsignadas, &sesion.mandosAsignados)
    , m_tabla(sesion.carpeta)
{
    setWindowTitle(QStringLiteral("Configuración de los controles de M.A.M.E."));
    setAutoFillBackground(true);
    Colorear(this, QPalette::Window, Colores::kFondoVentana);
    setFont(Twips::Fuente(8.25));
    CrearControles();
    Form_Load();
}

EtiquetaPulsable *frmTeclas::Pulsable(const QString &texto, const QRect &lugar)
{
    auto *etiqueta = new EtiquetaPulsable(texto, this);
    etiqueta->setGeometry(lugar);
    etiqueta->setAlignment(Qt::AlignCenter);
    etiqueta->setFrameStyle(QFrame::Box | QFrame::Plain);
    etiqueta->setAutoFillBackground(true);
    Colorear(etiqueta, QPalette::WindowText, Colores::kNegro);
    return etiqueta;
}

template <typename Clic>
void frmTeclas::Conectar(EtiquetaPulsable *etiqueta, Tipo cual, int indice, Clic clic)
{
    connect(etiqueta, &EtiquetaPulsable::pulsada, this, [this, cual, indice] {
        m_edicion.Pulsar(cual, indice);
        Pintar();
    });
    connect(etiqueta, &EtiquetaPulsable::soltada, this, [this, cual, indice] {
        m_edicion.Soltar(cual, indice);
        Pintar();
    });
    connect(etiqueta, &EtiquetaPulsable::clic, this, [this, clic] {
        clic();
        Pintar();
    });
}

void frmTeclas::keyPressEvent(QKeyEvent *evento)
{
    // Escape while a pad is awaited stops awaiting it, and nothing else.
    if (m_mandos.Esperando() && evento->key() == Qt::Key_Escape) {
        m_mandos.Cancelar();
        return;
    }
    const int k = TeclaFisica::Etiqueta(evento->nativeScanCode(), m_tabla);
    if (k < 0) {
        QDialog::keyPressEvent(evento);
        return;
    }
    if (!evento->isAutoRepeat())
        Q_EMIT lblTecla[k]->pulsada();
}

void frmTeclas::keyReleaseEvent(QKeyEvent *evento)
{
    const int k = TeclaFisica::Etiqueta(evento->nativeScanCode(), m_tabla);
    if (k < 0) {
        QDialog::keyReleaseEvent(evento);
        return;
    }
    if (evento->isAutoRepeat())
        return;
    Q_EMIT lblTecla[k]->soltada();
    Q_EMIT lblTecla[k]->clic();
}

void frmTeclas::CrearControles()
{
    Shape2 = new QLabel(this);
    Shape2->setGeometry(Twips::Rect(kMarcoTeclado));
    Shape2->setFrameStyle(QFrame::Box | QFrame::Plain);
    Shape2->setAutoFillBackground(true);
    Colorear(Shape2, QPalette::Window, qRgb(8, 36, 56));
    Colorear(Shape2, QPalette::WindowText, Colores::kNegro);

    for (int i = 0; i < kJugadores; ++i) {
        lblJugador[i] = Pulsable(QStringLiteral("Jugador %1").arg(i + 1),
                                 Twips::Rect(1470 + i * 2115, 120, 1980, 255));
        lblJugador[i]->setFont(Twips::Fuente(8.25, true));
        lblJugador[i]->setToolTip(QString::fromUtf8(kAyudaJugador));
        Conectar(lblJugador[i], Tipo::Jugador, i, [this, i] { m_edicion.lblJugador_Click(i); });
    }
    for (int c = 0; c < kControles; ++c) {
        lblControl[c] = Pulsable(QString::fromUtf8(kNombresDeControles[c]),
                                 Twips::Rect(120, 510 + c * 225, 1215, 210));
        lblControl[c]->setToolTip(QString::fromUtf8(kAyudaControl));
        Conectar(lblControl[c], Tipo::Control, c, [this, c] { m_edicion.lblControl_Click(c); });
    }

    const QSize teclado = Teclado::Tamano();
    const QPoint origen(kMarcoTeclado.x() + (kMarcoTeclado.width() - teclado.width()) / 2,
                        kMarcoTeclado.y() + (kMarcoTeclado.height() - teclado.height()) / 2);
    for (const Teclado::Tecla &tecla : Teclado::Teclas()) {
        EtiquetaPulsable *etiqueta
                = Pulsable(tecla.texto, Twips::Rect(tecla.lugar.translated(origen)));
        etiqueta->setFont(Twips::Fuente(7.5));
        Twips::EncajarTexto(etiqueta, tecla.texto, 2);
        if (Teclado::Deshabilitada(tecla.indice))
            etiqueta->setToolTip(QString::fromUtf8(kAyudaDeshabilitada));
        const int k = tecla.indice;
        Conectar(etiqueta, Tipo::Tecla, k, [this, k] { m_edicion.lblTecla_Click(k); });
        lblTecla[k] = etiqueta;
    }

    lblTeclado = new QLabel(QStringLiteral("Usar Teclado"), this);
    lblTeclado->setGeometry(Twips::Rect(1470, 2880, 1560, 255));
    lblTeclado->setAlignment(Qt::AlignCenter);
    lblTeclado->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblTeclado->setAutoFillBackground(true);
    lblTeclado->setFont(Twips::Fuente(8.25, true));
    Colorear(lblTeclado, QPalette::Window, Colores::kGris);
    Colorear(lblTeclado, QPalette::WindowText, Colores::kNegro);
    lblTeclado->setToolTip(QStringLiteral("Define las teclas para los controles de M.A.M.E."));

    lblJoystick = BotonEtiqueta::Negrita(QStringLiteral("Usar Joystick"), this,
                                         Twips::Rect(1470, 3210, 1560, 255));
    lblJoystick->PonerGris(true);
    lblJoystick->setToolTip(QStringLiteral("Si posees un control PAD o Joystick podrás asignar "
                                           "este para que un jugador pueda jugar "
                                           "a M.A.M.E. con el."));
    connect(lblJoystick, &BotonEtiqueta::clic, this, &frmTeclas::lblJoystick_Click);

    lblPorDefecto = Pulsable(QStringLiteral("Dejar la tecla por defecto de M.A.M.E"),
                             Twips::Rect(3210, 2880, 3600, 255));
    lblPorDefecto->setToolTip(QStringLiteral(
            "No define ninguna tecla para este control, deja que M.A.M.E. le de su valor por "
            "defecto."));
    Conectar(lblPorDefecto, Tipo::PorDefecto, 0, [this] { m_edicion.lblPorDefecto_Click(); });

    lblAviso = new QLabel(
            QStringLiteral(
                    "No se ha encontrado el archivo de configuraciones, se creará uno nuevo."),
            this);
    lblAviso->setGeometry(Twips::Rect(3210, 3210, 6585, 255));
    lblAviso->setAlignment(Qt::AlignCenter);
    lblAviso->setAutoFillBackground(true);
    lblAviso->setFont(Twips::Fuente(8.25, true));
    Colorear(lblAviso, QPalette::Window, qRgb(0, 0, 128));
    Colorear(lblAviso, QPalette::WindowText, Colores::kRojo);
    Twips::EncajarTexto(lblAviso, lblAviso->text(), 4);

    lblMando = new QLabel(this);
    lblMando->setGeometry(lblAviso->geometry());
    lblMando->setAlignment(Qt::AlignCenter);
    lblMando->setAutoFillBackground(true);
    lblMando->setFont(Twips::Fuente(8.25, true));
    Colorear(lblMando, QPalette::Window, qRgb(0, 0, 128));
    Colorear(lblMando, QPalette::WindowText, Colores::kBlanco);
    lblMando->hide();
    connect(&m_mandos, &Mandos::entrada, this, [this](const QString &codigo) {
        lblMando->hide();
        m_edicion.AsignarMando(codigo);
        Pintar();
    });
    connect(&m_mandos, &Mandos::ninguna, lblMando, &QLabel::hide);

    lblGuardar = BotonEtiqueta::Negrita(QStringLiteral("Guardar y salir"), this,
                                        Twips::Rect(6975, 3810, 1350, 255));
    lblGuardar->setToolTip(QStringLiteral(
            "Salir guardando los cambios efectuados en las configuraciones de los controles."));
    connect(lblGuardar, &BotonEtiqueta::clic, this, &frmTeclas::lblGuardar_Click);
    lblSalir = BotonEtiqueta::Negrita(QStringLiteral("Salir sin guardar"), this,
                                      Twips::Rect(8445, 3810, 1350, 255));
    lblSalir->setToolTip(
            QStringLiteral("Salir de la configuración de controles sin guardar ningún cambio."));
    connect(lblSalir, &BotonEtiqueta::clic, this, &frmTeclas::lblSalir_Click);

    NombrarArreglo(lblJugador, "lblJugador");
    NombrarArreglo(lblControl, "lblControl");
    NombrarArreglo(lblTecla, "lblTecla");
    Nombrar({{lblPorDefecto, "lblPorDefecto"},
             {lblTeclado, "lblTeclado"},
             {lblJoystick, "lblJoystick"},
             {lblAviso, "lblAviso"},
             {lblMando, "lblMando"},
             {lblGuardar, "lblGuardar"},
             {lblSalir, "lblSalir"},
             {Shape2, "Shape2"}});
}

void frmTeclas::Form_Load()
{
    setFixedSize(TamanoDeDiseno());
    for (EtiquetaPulsable *etiqueta : lblJugador)
        etiqueta->setCursor(Imagenes::Mano());
    for (EtiquetaPulsable *etiqueta : lblControl)
        etiqueta->setCursor(Imagenes::Mano());
    for (int k = 0; k < kTeclas; ++k) {
        if (!Teclado::Deshabilitada(k))
            lblTecla[k]->setCursor(Imagenes::Mano());
    }
    // The label buttons Guardar and Salir carry the hand already.
    lblPorDefecto->setCursor(Imagenes::Mano());

    lblAviso->setVisible(!m_edicion.Abrir(m_sesion.carpeta));
    Pintar();
}

void frmTeclas::Pintar()
{
    auto pintar = [](QWidget *etiqueta, EdicionDeTeclas::Color color) {
        if (etiqueta->palette().color(QPalette::Window).rgba() != color)
            Colorear(etiqueta, QPalette::Window, color);
    };
    for (int i = 0; i < kJugadores; ++i)
        pintar(lblJugador[i], m_edicion.ColorDe(Tipo::Jugador, i));
    for (int c = 0; c < kControles; ++c) {
        pintar(lblControl[c], m_edicion.ColorDe(Tipo::Control, c));
        // The pad input beside the control's name.
        const QString mando = m_edicion.TextoDeMando(m_edicion.JugadorActual(), c);
        const QString nombre = QString::fromUtf8(kNombresDeControles[c]);
        lblControl[c]->setText(mando.isEmpty() ? nombre : nombre + QStringLiteral(" · ") + mando);
    }
    for (int k = 0; k < kTeclas; ++k)
        pintar(lblTecla[k], m_edicion.ColorDe(Tipo::Tecla, k));
    pintar(lblPorDefecto, m_edicion.ColorDe(Tipo::PorDefecto));
}

void frmTeclas::paintEvent(QPaintEvent *evento)
{
    QDialog::paintEvent(evento);
    Twips::DibujarLineas(this,
                         {
                                 QLine(1395, 120, 1395, 4095),  // Line1: beside the controls
                                 QLine(1470, 450, 9795, 450),   // Line2: under the players
                                 QLine(1470, 2805, 9795, 2805), // Line3: under the keyboard
                                 QLine(3120, 2880, 3120, 3465), // Line4
                                 QLine(1470, 3615, 9795, 3615), // Line5: over the commands
                                 QLine(6900, 3705, 6900, 4095), // Line6
                                 QLine(120, 450, 1335, 450),    // Line7: over the controls
                         },
                         1);
}

void frmTeclas::lblJoystick_Click()
{
    if (m_mandos.Esperando())
        return;
    if (m_mandos.Cuantos() == 0) {
        Mensajes::Mostrar(EdicionDeTeclas::MensajeSinMandos());
        return;
    }
    lblMando->setText(
            QStringLiteral("Pulsa un botón del mando o mueve su palanca para \"%1\" "
                           "del jugador %2 (Esc cancela).")
                    .arg(QString::fromUtf8(kNombresDeControles[m_edicion.ControlActual()]))
                    .arg(m_edicion.JugadorActual() + 1));
    lblMando->show();
    lblMando->raise();
    m_mandos.Esperar(kEsperaDeMando);
}

void frmTeclas::closeEvent(QCloseEvent *evento)
{
    m_mandos.Cancelar();
    QDialog::closeEvent(evento);
}

void frmTeclas::lblGuardar_Click()
{
    // A failed save has told the player why; the window stays open with the edit in it.
    if (m_uso.Guardar(m_sesion.teclasAsignadas, TablaTeclas(m_sesion.carpeta),
                      &m_sesion.mandosAsignados))
        accept();
}

void frmTeclas::lblSalir_Click()
{
    reject();
}

} // namespace Corvala
