#include "frontend/windows/frmCargador.h"

#include "comun/logic/ArchivosDeCarpeta.h"
#include "comun/logic/Mensajes.h"
#include "comun/logic/modPrincipal.h"
#include "comun/logic/Registro.h"
#include "comun/logic/Sesion.h"
#include "comun/windows/BotonEtiqueta.h"
#include "comun/windows/Colores.h"
#include "comun/windows/Etiqueta.h"
#include "comun/windows/Imagenes.h"
#include "comun/windows/Nombrar.h"
#include "comun/windows/Ocupacion.h"
#include "comun/windows/Twips.h"
#include "controls/logic/EdicionDeTeclas.h"
#include "controls/windows/frmTeclas.h"
#include "emulator/logic/Ejecucion.h"
#include "frontend/logic/Arranque.h"
#include "frontend/logic/Instantanea.h"
#include "frontend/logic/Partida.h"
#include "frontend/logic/UsoDelCatalogo.h"
#include "frontend/windows/BarraDeCatalogo.h"
#include "frontend/windows/VistaDeJuegos.h"
#include "frontend/windows/VistaPrevia.h"
#include "imaging/cGdiPlus.h"
#include "infowindows/windows/frmAcercaDe.h"
#include "rommanager/windows/frmGestionar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QListView>
#include <QMessageBox>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>

namespace Corvala {

using Colores::Colorear;

namespace {

QLabel *Titulo(const QString &texto, QWidget *padre, const QRect &lugar)
{
    QLabel *etiqueta = Etiqueta(padre, texto, lugar, Colores::kBlanco, true);
    etiqueta->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return etiqueta;
}

} // namespace

frmCargador::frmCargador(Sesion &sesion, QWidget *parent)
    : QWidget(parent)
    , m_sesion(sesion)
    , m_uso(sesion)
{
    setWindowTitle(QStringLiteral("El Front End para M.A.M.E"));
    setAutoFillBackground(true);
    Colorear(this, QPalette::Window, Colores::kFondoVentana);
    setMinimumSize(TamanoDeDiseno());
    CrearControles();
    connect(&Timer1, &QTimer::timeout, this, &frmCargador::Timer1_Timer);
    connect(barCatalogo, &BarraDeCatalogo::terminada, this, &frmCargador::CatalogoTerminado);
    connect(&m_lectura, &UsoDelCatalogo::LecturaDelCatalogo::leido, this,
            &frmCargador::CatalogoLeido);
    // A pad drives the list while the window is in front and no game runs; its east button
    // closes a box the window shows.
    const auto cajaAbierta
            = [] { return qobject_cast<QMessageBox *>(QApplication::activeModalWidget()); };
    m_mando.Escuchar([this, cajaAbierta] {
        return !m_sesion.ocupado && (isActiveWindow() || cajaAbierta());
    });
    connect(&m_mando, &MandoDeLista::mover, this, [this, cajaAbierta](int filas) {
        if (!cajaAbierta())
            m_juegos->MoverEleccion(filas);
    });
    connect(&m_mando, &MandoDeLista::pagina, this, [this, cajaAbierta](int sentido) {
        if (!cajaAbierta())
            m_juegos->MoverEleccion(sentido, true);
    });
    connect(&m_mando, &MandoDeLista::jugar, this, [this, cajaAbierta] {
        if (!cajaAbierta())
            LanzarJuego();
    });
    connect(&m_mando, &MandoDeLista::atras, this, [this, cajaAbierta] {
        if (QMessageBox *caja = cajaAbierta())
            caja->reject();
        else
            m_juegos->CerrarBusqueda();
    });
    connect(&m_auditoria, &UsoDelCatalogo::AuditoriaDeLaColeccion::auditada, this,
            [this](std::shared_ptr<const ResultadoAuditoria> auditoria) {
                m_auditoriaPendiente = std::move(auditoria);
                PonerAuditoria();
            });
    m_juegos->CatalogoEnConstruccion(
            [this] { return m_lectura.EnCurso() || barCatalogo->Construccion().EnCurso(); });

    // The box shows the use of the defined keys; a click asks for the other state.
    connect(chkUsaControles, &QCheckBox::clicked, &m_uso, &UsoDeTeclas::Pulsar);
    connect(&m_uso, &UsoDeTeclas::marcadaCambiada, chkUsaControles, &QCheckBox::setChecked);
    chkUsaControles->installEventFilter(this);

    connect(m_juegos, &VistaDeJuegos::lanzar, this, &frmCargador::LanzarFila);
    connect(m_juegos, &VistaDeJuegos::elegida, this, &frmCargador::lstJuegos_Click);
    connect(ImagenROM, &VistaPrevia::clic, this, [this] { MostrarImagenROM(true); });
}

const ConstruccionCatalogo &frmCargador::Construccion() const
{
    return barCatalogo->Construccion();
}

QSize frmCargador::TamanoDeDiseno()
{
    return Twips::Tamano(kAnchoMinimo - kMarcoAncho, kAltoMinimo - kMarcoAlto);
}

void frmCargador::CrearControles()
{
    // Created bottom to top: a later control lies over an earlier one.
    Shape1 = new QLabel(this);
    Shape1->setGeometry(Twips::Rect(45, 2265, 2070, 255));
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Shape1->setAutoFillBackground(true);
    Colorear(Shape1, QPalette::Window, Colores::kBotonReposo);
    Colorear(Shape1, QPalette::WindowText, Colores::kNegro);

    chkUsaControles = new QCheckBox(QStringLiteral("Utilizar teclas definidas"), this);
    chkUsaControles->setGeometry(Twips::Rect(105, 2280, 1935, 225));
    chkUsaControles->setAutoFillBackground(true);
    chkUsaControles->setBackgroundRole(QPalette::Window);
    chkUsaControles->setCursor(Imagenes::Mano());
    Colorear(chkUsaControles, QPalette::Window, Colores::kBotonReposo);
    Colorear(chkUsaControles, QPalette::Button, Colores::kBotonReposo);
    Colorear(chkUsaControles, QPalette::WindowText, Colores::kNegro);
    chkUsaControles->setToolTip(QStringLiteral(
            "Marca esta casilla si quieres utilizar las terclas definidas desde el Corvala!"));
    Twips::EncajarTexto(chkUsaControles, chkUsaControles->text(),
                        style()->pixelMetric(QStyle::PM_IndicatorWidth)
                                + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 4);

    m_juegos = new VistaDeJuegos(m_sesion, this);
    m_juegos->setGeometry(Twips::Rect(2160, 30, 4860, 3930));

    struct Boton
    {
        BotonEtiqueta *&control;
        const char *texto;
        QRect lugar;
        const char *ayuda;
    };
    const Boton botones[] = {
            {lblDirectorio, "Actualizar ROMs", Twips::Rect(45, 1095, 2070, 255),
             "Si has copiado una nueva ROM en la carpeta de ROMs de MAME, pulsa aquí para verla "
             "en la lista."},
            {lblLista, "Actualizar lista de juegos", Twips::Rect(45, 1365, 2070, 255),
             "Si has instalado un nuevo MAME, deberías pulsar aquí para recoger las ROMs que el "
             "nuevo emulador acepta."},
            {lblGestionar, "Gestionar  ROMs", Twips::Rect(45, 1635, 2070, 255),
             "Si ves que alguna ROM ya no es compatible con la nueva versión de MAME(o ha cambiado "
             "el nombre del juego, o ya no se ejecuta correctamente) haz clic aquí para cambiar la "
             "ROM a la nueva versión."},
            {lblTeclas, "Configurar controles", Twips::Rect(45, 1995, 2070, 255),
             "Si has instalado un nuevo MAME, deberías pulsar aquí para recoger las ROMs que el "
             "nuevo emulador acepta."},
            {Label1, "Clásico Acerca de", Twips::Rect(45, 2625, 2070, 255),
             "El clásico acerca de y unos consejos."},
            {lblLog, "Ver  Log", Twips::Rect(6300, 3975, 720, 255),
             "Si ha cargado una ROM y el MAME no ha aparecido, consulta el log pulsando este botón "
             "para ver el error que ha podido ocurrir."},
    };
    for (const Boton &boton : botones) {
        boton.control = new BotonEtiqueta(QString::fromUtf8(boton.texto), this);
        boton.control->setGeometry(boton.lugar);
        boton.control->setToolTip(QString::fromUtf8(boton.ayuda));
    }
    // Tab goes from the list through the commands as they are read, the box in its place.
    QWidget *anterior = m_juegos->findChild<QListView *>();
    for (QWidget *siguiente :
         std::initializer_list<QWidget *>{lblDirectorio, lblLista, lblGestionar, lblTeclas,
                                          chkUsaControles, Label1, lblLog}) {
        setTabOrder(anterior, siguiente);
        anterior = siguiente;
    }
    connect(lblDirectorio, &BotonEtiqueta::clic, this, &frmCargador::lblDirectorio_Click);
    connect(lblLista, &BotonEtiqueta::clic, this, &frmCargador::lblLista_Click);
    connect(lblLog, &BotonEtiqueta::clic, this, &frmCargador::lblLog_Click);
    connect(Label1, &BotonEtiqueta::clic, this, &frmCargador::Label1_Click);
    connect(lblTeclas, &BotonEtiqueta::clic, this, &frmCargador::lblTeclas_Click);
    connect(lblGestionar, &BotonEtiqueta::clic, this, &frmCargador::lblGestionar_Click);

    ImagenROM = new VistaPrevia(this);
    ImagenROM->setGeometry(Twips::Rect(30, 2925, 2070, 1290));

    Image1 = new QLabel(this);
    Image1->move(Twips::Punto(105, 75));
    Image1->setPixmap(Imagenes::Titulo());
    Image1->adjustSize();

    Label5 = Titulo(QStringLiteral("Opciones"), this, Twips::Rect(390, 840, 1350, 210));
    Label4 = Titulo(QStringLiteral("- Corvala!"), this, Twips::Rect(795, 120, 1725, 300));

    lblEstado = new QLabel(this);
    // The version comes from a file or the emulator: shown as it is, never as markup.
    lblEstado->setTextFormat(Qt::PlainText);
    lblEstado->setGeometry(Twips::Rect(2160, 3975, 4125, 255));
    lblEstado->setAlignment(Qt::AlignCenter);
    // A plain frame takes the text's colour: the border is drawn apart, black.
    lblEstado->setStyleSheet(QStringLiteral("QLabel { border: 1px solid black; background: %1; }")
                                     .arg(QColor(Colores::kFondoLista).name()));

    barCatalogo = new BarraDeCatalogo(this);

    Timer1.setParent(this);
    Nombrar({{m_juegos, "VistaDeJuegos"},
             {lblEstado, "lblEstado"},
             {lblDirectorio, "lblDirectorio"},
             {lblLista, "lblLista"},
             {lblGestionar, "lblGestionar"},
             {lblTeclas, "lblTeclas"},
             {Label1, "Label1"},
             {lblLog, "lblLog"},
             {chkUsaControles, "chkUsaControles"},
             {Shape1, "Shape1"},
             {Label4, "Label4"},
             {Label5, "Label5"},
             {Image1, "Image1"},
             {ImagenROM, "ImagenROM"},
             {&Timer1, "Timer1"},
             {barCatalogo, "barCatalogo"}});
    EncajarBarra();
}

void frmCargador::EncajarBarra()
{
    // Along the status line's bottom edge, inside its frame.
    const QRect estado = lblEstado->geometry();
    barCatalogo->setGeometry(estado.left() + 1, estado.bottom() - 3, estado.width() - 2, 3);
}

void frmCargador::PrepararCatalogo(bool rehacer)
{
    // What lies on disk is still being read, or a build already runs: their ends decide.
    if (!rehacer && (m_lectura.EnCurso() || barCatalogo->Construccion().EnCurso()))
        return;
    barCatalogo->Preparar(m_sesion, rehacer, m_juegos->Modelo().JuegosListados());
    // A new catalogue takes the database's place: the audit waits for it.
    if (barCatalogo->Construccion().EnCurso())
        m_auditoria.Detener();
}

void frmCargador::PonerAuditoria()
{
    // While a game runs or the ROM manager is open, the rows it speaks of stay where they are.
    if (m_sesion.ocupado) {
        if (!std::exchange(m_esperandoAuditoria, true))
            QTimer::singleShot(500, this, [this] {
                m_esperandoAuditoria = false;
                PonerAuditoria();
            });
        return;
    }
    if (m_auditoriaPendiente)
        m_juegos->PonerAuditoria(std::exchange(m_auditoriaPendiente, nullptr));
}

void frmCargador::Auditar()
{
    if (m_sesion.catalogo && !m_lectura.EnCurso() && !barCatalogo->Construccion().EnCurso())
        m_auditoria.Iniciar(m_sesion.carpeta, m_sesion.catalogo, m_juegos->Modelo());
}

void frmCargador::CatalogoTerminado(std::shared_ptr<const Catalogo> catalogo, const QString &motivo)
{
    // The old catalogue, if any, stays in use: the list works as it did. The player is told
    // once: the next start does not try again for nothing.
    if (!catalogo) {
        qCWarning(lcCatalogo) << "the emulator's catalogue could not be built:" << motivo;
        if (const Resultado recordado = UsoDelCatalogo::RecordarFallo(m_sesion, motivo); !recordado)
            qCWarning(lcCatalogo) << "the failure cannot be recorded:" << recordado.Motivo();
        Mensajes::Mostrar(UsoDelCatalogo::MensajeCatalogoFallido(motivo));
        return;
    }
    UsoDelCatalogo::OlvidarFallo(m_sesion.carpeta);
    m_sesion.catalogo = std::move(catalogo);
    m_juegos->CatalogoCambiado();
    Auditar();
}

void frmCargador::paintEvent(QPaintEvent *evento)
{
    QWidget::paintEvent(evento);
    QPainter pintor(this);
    pintor.setPen(QColor(Colores::kNegro));
    pintor.drawLine(Twips::Punto(165, 1935), Twips::Punto(1995, 1935)); // Line1
    pintor.drawLine(Twips::Punto(150, 2565), Twips::Punto(1980, 2565)); // Line2
}

void frmCargador::Form_Load()
{
    resize(TamanoDeDiseno());
    Ocupacion reloj(this);
    Arranque::Inicio inicio = Arranque::Iniciar(m_sesion, [this] { AvisarCreandoLista(); });
    if (inicio.rechazo) {
        Mensajes::Mostrar(*inicio.rechazo);
        TerminarPrograma();
        return;
    }
    // A second copy started later brings this one to the front.
    if (!m_sesion.rutaBloqueo.isEmpty() && m_aviso.Escuchar(m_sesion.rutaBloqueo))
        connect(&m_aviso, &AvisoDeOtraCopia::otraCopia, this, [this] {
            setWindowState(windowState() & ~Qt::WindowMinimized);
            show();
            raise();
            activateWindow();
        });
    m_juegos->LeerJugador();
    // The catalogue there is comes once read (CatalogoLeido): the list does not wait for it.
    if (UsoDelCatalogo::Orden(m_sesion)) {
        UsoDelCatalogo::QuitarConstruccionInterrumpida(m_sesion.carpeta);
        m_lectura.Iniciar(m_sesion.carpeta);
    }
    m_juegos->Mostrar(inicio.lista);
    Estado(inicio.estado);
    m_sinControles = inicio.configuracion != Arranque::Configuracion::Configurable;
    if (m_sinControles)
        HacerNoConfigurable();
    lblTeclas->setToolTip(
            m_sinControles ? QStringLiteral("Función no habilitada.")
                           : QStringLiteral("Configuración de teclas de M.A.M.E. para versiones "
                                            "posteriores a la 0.59b."));
    if (m_sesion.cd) {
        for (QWidget *control : std::initializer_list<QWidget *>{lblDirectorio, lblLista, lblTeclas,
                                                                 lblGestionar, chkUsaControles})
            control->setEnabled(false);
    }
    if (!m_lectura.EnCurso())
        PrepararCatalogo(false);
}

void frmCargador::CatalogoLeido(std::shared_ptr<const Catalogo> catalogo)
{
    // A build the player asked for meanwhile is newer than what lay on disk.
    if (catalogo && !m_sesion.catalogo && !barCatalogo->Construccion().EnCurso()) {
        m_sesion.catalogo = std::move(catalogo);
        m_juegos->CatalogoCambiado();
    }
    PrepararCatalogo(false);
    Auditar();
}

void frmCargador::HacerNoConfigurable()
{
    lblTeclas->PonerGris(true);
    PintarCasilla(Colores::kGris);
    m_uso.Marcar(false);
    chkUsaControles->setEnabled(false);
}

void frmCargador::PintarCasilla(QRgb color)
{
    Colorear(Shape1, QPalette::Window, color);
    Colorear(chkUsaControles, QPalette::Window, color);
    Colorear(chkUsaControles, QPalette::Button, color);
}

bool frmCargador::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == chkUsaControles) {
        // The box and the strip behind it are pressed together, as a label button is.
        if (evento->type() == QEvent::MouseButtonPress) {
            PintarCasilla(Colores::kBotonPulsado);
        } else if (evento->type() == QEvent::MouseButtonRelease) {
            PintarCasilla(m_sinControles ? Colores::kGris : Colores::kBotonReposo);
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

void frmCargador::LanzarJuego()
{
    LanzarFila(m_juegos->FilaElegida());
}

void frmCargador::LanzarFila(int fila)
{
    if (m_sesion.ocupado)
        return;
    // No row is selected in an empty list, or before the first choice: nothing to start.
    const ModeloDeJuegos &juegos = m_juegos->Modelo();
    if (!juegos.Valida(fila))
        return;
    const QString titulo = juegos.Fila(fila).titulo;
    if (juegos.Fila(fila).desconocida) {
        Mensajes::Mostrar(Partida::MensajeRomDesconocida());
        return;
    }
    if (const std::optional<Mensaje> pregunta
        = UsoDelCatalogo::PreguntaAntesDeJugar(juegos.Fila(fila));
        pregunta && Mensajes::Mostrar(*pregunta) != Respuesta::Si)
        return;
    // A clone in its parent's archive is started by its own name; the emulator finds its files.
    const std::optional<QString> archivo
            = juegos.Fila(fila).enElPadre
                      ? std::optional<QString>(juegos.Fila(fila).juego + QLatin1String(".zip"))
                      : Partida::ArchivoParaJugar(m_sesion.carpeta, juegos.Fila(fila).archivo,
                                                  m_sesion.cd);
    if (!archivo)
        return;
    if (!juegos.Fila(fila).enElPadre && *archivo != juegos.Fila(fila).archivo) {
        m_juegos->Renombrar(fila, *archivo);
        Auditar();
    }
    Ocupacion ocupacion(this, &m_sesion.ocupado);
    m_sesion.ultimoTitulo = titulo;
    Estado({QStringLiteral("Cargando ROM, por favor se paciente."), ColorEstado::Rojo});

    Partida partida(m_sesion, [this] { return m_uso.Marcada(); });
    const Partida::Resultado resultado = partida.Jugar(*archivo);
    if (partida.SeHaJugado())
        m_juegos->AnotarPartida(fila);
    if (resultado == Partida::Resultado::ErrorCfg) {
        Mensajes::Mostrar(Partida::MensajeErrorCfg());
    } else if (resultado == Partida::Resultado::ConError) {
        Estado({Partida::TextoTerminadaConError(), ColorEstado::Rojo});
    } else {
        Estado({QStringLiteral("Ha terminado la carga."), ColorEstado::Azul});
    }
    // The player may have taken a snapshot while playing.
    MostrarImagenROM(false);
    CerrarSiElSistemaTermina();
}

void frmCargador::lstJuegos_Click()
{
    if (m_sesion.ocupado || m_juegos->FilaElegida() < 0)
        return;
    Estado({QStringLiteral("Haz doble clic para cargar la ROM."), ColorEstado::Turquesa});
    MostrarImagenROM(false);
}

void frmCargador::MostrarImagenROM(bool ampliar)
{
    const int fila = m_juegos->FilaElegida();
    if (fila < 0)
        return;
    const QString ruta = RutaInstantanea(m_sesion.carpeta, m_juegos->Modelo().Fila(fila).archivo);
    if (ruta.isEmpty()) {
        // The enlarged window shows only a snapshot there is.
        if (!ampliar)
            ImagenROM->Mostrar(std::nullopt);
        return;
    }
    const QImage imagen = cGdiPlus().FilenameToIPicture(ruta);
    if (ampliar)
        ImagenROM->Ampliar(imagen);
    else
        ImagenROM->Mostrar(imagen);
}

void frmCargador::Label1_Click()
{
    if (m_sesion.ocupado)
        return;
    frmAcercaDe(this).exec();
}

void frmCargador::lblTeclas_Click()
{
    if (m_sesion.ocupado)
        return;
    if (m_sinControles) {
        Mensajes::Mostrar(EdicionDeTeclas::MensajeNoDisponible());
        return;
    }
    frmTeclas(m_sesion, m_uso, this).exec();
}

void frmCargador::lblGestionar_Click()
{
    if (m_sesion.ocupado)
        return;
    {
        // Busy while the ROM manager is open: this window's commands and its close are refused.
        Ocupacion ocupacion(this, &m_sesion.ocupado);
        bool terminado = false;
        {
            frmGestionar gestor(m_sesion, this);
            gestor.Form_Load();
            terminado = gestor.Terminado();
            if (!terminado)
                gestor.exec();
        }
        if (terminado) {
            ocupacion.Conservar();
            TerminarPrograma();
            return;
        }
    }
    if (m_sistemaTermina) {
        CerrarSiElSistemaTermina();
        return;
    }
    // The archives may carry new names. Loaded once this window is free again, so that the
    // hourglass of a renewal the load ends goes with it.
    CargarDatos();
}

void frmCargador::FinDelSistema()
{
    m_sistemaTermina = true;
    if (!m_sesion.ocupado) {
        close();
        return;
    }
    // The close follows once the game or the ROM manager has ended (CerrarSiElSistemaTermina).
    PedirFinDeEjecuciones();
    if (auto *dialogo = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
        dialogo->done(QDialog::Rejected);
}

void frmCargador::CerrarSiElSistemaTermina()
{
    if (m_sistemaTermina)
        QTimer::singleShot(0, this, &QWidget::close);
}

void frmCargador::closeEvent(QCloseEvent *evento)
{
    const Arranque::Cierre cierre = Arranque::Cerrar(m_sesion);
    if (!cierre.permitido) {
        lblEstado->setText(cierre.estado);
        EncajarEstado();
        evento->ignore();
        return;
    }
    // The system ending waits for no box: what went wrong goes to the log.
    if (cierre.error && m_sistemaTermina)
        qCWarning(lcArchivos) << "mame.ini:" << cierre.error->texto;
    else if (cierre.error)
        Mensajes::Mostrar(*cierre.error);
    barCatalogo->Cancelar();
    evento->accept();
}

void frmCargador::Estado(const LineaDeEstado &estado)
{
    // In the order of ColorEstado.
    constexpr QRgb kColores[]
            = {Colores::kRojo, Colores::kVerde, Colores::kAzul, Colores::kTurquesa};
    lblEstado->setText(estado.texto);
    Colorear(lblEstado, QPalette::WindowText, kColores[int(estado.color)]);
    EncajarEstado();
}

void frmCargador::EncajarEstado()
{
    // A long text is drawn smaller rather than cut at both ends, as the label buttons are.
    lblEstado->setFont(Twips::Fuente(8.25));
    Twips::EncajarTexto(lblEstado, lblEstado->text(), 6);
}

void frmCargador::AvisarCreandoLista()
{
    Estado({QStringLiteral("Creando lista de juegos."), ColorEstado::Rojo});
}

void frmCargador::TerminarPrograma()
{
    m_terminado = true;
    Q_EMIT programaTerminado();
}

void frmCargador::CargarDatos(bool rehacerCatalogo)
{
    // A renewal's countdown still running ends here, its hourglass with it: this load is the
    // one it waited for.
    if (m_relojLista) {
        Timer1.stop();
        m_relojLista.reset();
        rehacerCatalogo = true;
    }
    Timer1.setInterval(1);
    Ocupacion reloj(this);
    m_juegos->Mostrar({});
    std::optional<ListaCargada> lista = ListaDeJuegos::CargarDatos(
            m_sesion.carpeta, m_sesion.cd, [this] { AvisarCreandoLista(); });
    if (!lista) {
        Mensajes::Mostrar(ArchivosDeCarpeta::MensajeFaltanArchivosDeCD());
        reloj.Conservar();
        TerminarPrograma();
        return;
    }
    const bool fallida = lista->listaFallida;
    m_juegos->Mostrar(*lista);
    Timer1.stop();
    Estado(fallida ? LineaDeEstado{ListaCargada::TextoListaFallida(), ColorEstado::Rojo}
                   : LineaDeEstado{QStringLiteral("Lista cargada."), ColorEstado::Verde});
    PrepararCatalogo(rehacerCatalogo);
    Auditar();
}

void frmCargador::lblDirectorio_Click()
{
    if (m_sesion.ocupado)
        return;
    CargarDatos();
}

void frmCargador::lblLista_Click()
{
    if (m_sesion.ocupado)
        return;
    const QString lista = m_sesion.carpeta.Ruta(QStringLiteral("lista.txt"));
    if (!ExisteArchivo(lista)) {
        CargarDatos(true);
        return;
    }
    // The hourglass stays through the countdown, until the list is loaded again.
    m_relojLista.emplace(this);
    if (!ListaDeJuegos::ApartarLista(m_sesion.carpeta)) {
        Mensajes::Mostrar(ListaDeJuegos::MensajeNoSeApartaLista());
        m_relojLista.reset();
        return;
    }
    Timer1.setInterval(1);
    Estado({QStringLiteral("Borrando lista antigua."), ColorEstado::Rojo});
    m_cuenta = 6;
    Timer1.start();
}

void frmCargador::Timer1_Timer()
{
    // A game or the ROM manager came within the countdown: it goes on once they have ended.
    if (m_sesion.ocupado) {
        Timer1.setInterval(1000);
        return;
    }
    if (m_cuenta == 8) {
        Timer1.stop();
        m_relojLista.reset();
        Estado({QStringLiteral("Lista antigua borrada."), ColorEstado::Verde});
        CargarDatos(true);
    } else {
        ++m_cuenta;
    }
    Timer1.setInterval(1000);
}

void frmCargador::lblLog_Click()
{
    if (m_sesion.ocupado)
        return;
    Mensajes::Mostrar(Partida::MensajeDelLog(m_sesion.ultimoTitulo, m_sesion.ultimoLog));
}

void frmCargador::resizeEvent(QResizeEvent *evento)
{
    QWidget::resizeEvent(evento);
    if (isMinimized())
        return;
    // The outer size of the window as designed: the client area and the designed frame.
    const int ancho = Twips::DesdePx(width()) + kMarcoAncho;
    const int alto = Twips::DesdePx(height()) + kMarcoAlto;
    QRect lista = m_juegos->geometry();
    QRect estado = lblEstado->geometry();
    QRect log = lblLog->geometry();
    if (ancho >= kAnchoMinimo) {
        lista.setWidth(Twips::Px(ancho - kAnchoMinimo + 4860));
        estado.setWidth(Twips::Px(ancho - kAnchoMinimo + 4125));
        log.moveLeft(Twips::Px(ancho - kAnchoMinimo + 6300));
    } else {
        resize(TamanoDeDiseno().width(), height());
        lista.setWidth(Twips::Px(4860));
    }
    if (alto >= kAltoMinimo) {
        lista.setHeight(Twips::Px(alto - kAltoMinimo + 3930));
        estado.moveTop(Twips::Px(alto - kAltoMinimo + 3975));
        log.moveTop(Twips::Px(alto - kAltoMinimo + 3975));
    } else {
        resize(width(), TamanoDeDiseno().height());
        lista.setHeight(Twips::Px(3930));
    }
    m_juegos->setGeometry(lista);
    lblEstado->setGeometry(estado);
    lblLog->setGeometry(log);
    EncajarEstado();
    EncajarBarra();
}

} // namespace Corvala
