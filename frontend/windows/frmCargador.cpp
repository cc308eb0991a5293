#include "frontend/windows/frmCargador.h"

#include "comun/logic/ArchivosDeCarpeta.h"
#include "comun/logic/Mensajes.h"
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
#include "frontend/logic/Arranque.h"
#include "frontend/logic/Lanzamiento.h"
#include "frontend/logic/Partida.h"
#include "frontend/windows/BarraDeCatalogo.h"
#include "frontend/windows/CasillaDeTeclas.h"
#include "frontend/windows/CierreDelSistema.h"
#include "frontend/windows/DisposicionPrincipal.h"
#include "frontend/windows/ImagenesDelJuego.h"
#include "frontend/windows/MandoDeVentana.h"
#include "frontend/windows/VistaDeJuegos.h"
#include "frontend/windows/VistaPrevia.h"
#include "infowindows/windows/frmAcercaDe.h"
#include "rommanager/windows/frmGestionar.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QListView>
#include <QPainter>
#include <QResizeEvent>
#include <QTimer>

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
    , m_catalogo(sesion, [this]() -> const ModeloDeJuegos & { return m_juegos->Modelo(); })
    , m_renovacion(sesion, this)
    , m_uso(sesion)
{
    setWindowTitle(QStringLiteral("El Front End para M.A.M.E"));
    setAutoFillBackground(true);
    Colorear(this, QPalette::Window, Colores::kFondoVentana);
    setMinimumSize(TamanoDeDiseno());
    CrearControles();
    new MandoDeVentana(*this, *m_juegos, m_sesion, [this] { LanzarJuego(); });
    m_cierre = new CierreDelSistema(*this, m_sesion);
    connect(&m_catalogo, &CatalogoDeLaSesion::construccionIniciada, barCatalogo,
            &BarraDeCatalogo::Empezar);
    connect(&m_catalogo, &CatalogoDeLaSesion::avance, barCatalogo, &BarraDeCatalogo::Avance);
    connect(&m_catalogo, &CatalogoDeLaSesion::construccionTerminada, barCatalogo, &QWidget::hide);
    connect(&m_catalogo, &CatalogoDeLaSesion::catalogoCambiado, m_juegos,
            &VistaDeJuegos::CatalogoCambiado);
    connect(&m_catalogo, &CatalogoDeLaSesion::auditada, m_juegos, &VistaDeJuegos::PonerAuditoria);
    connect(&m_catalogo, &CatalogoDeLaSesion::softwareAuditado, m_juegos,
            &VistaDeJuegos::PonerAuditoriaSoftware);
    connect(&m_catalogo, &CatalogoDeLaSesion::listasDeSoftwareLeidas, this, [this] {
        m_juegos->Mostrar(ListaDeJuegos::Cargar(m_sesion.carpeta));
        m_catalogo.Auditar();
    });
    connect(&m_catalogo, &CatalogoDeLaSesion::apartado, this, [this](const QString &estado) {
        Estado({estado, ColorEstado::Rojo});
    });
    m_juegos->CatalogoEnConstruccion([this] { return m_catalogo.EnCurso(); });
    connect(&m_renovacion, &RenovacionDeLista::estado, this, &frmCargador::Estado);
    connect(&m_renovacion, &RenovacionDeLista::cargar, this, &frmCargador::CargarDatos);
    connect(&m_renovacion, &RenovacionDeLista::reloj, this, [this](bool puesto) {
        if (puesto)
            m_relojLista.emplace(this);
        else
            m_relojLista.reset();
    });

    connect(m_juegos, &VistaDeJuegos::lanzar, this, &frmCargador::LanzarFila);
    connect(m_juegos, &VistaDeJuegos::elegida, this, &frmCargador::lstJuegos_Click);
    m_imagenes = new ImagenesDelJuego(m_sesion, *m_juegos, *ImagenROM);
    connect(ImagenROM, &VistaPrevia::clic, this, [this] { MostrarImagenROM(true); });
    connect(m_juegos, &VistaDeJuegos::extrasLeidos, this, [this] { MostrarImagenROM(false); });
}

const ConstruccionCatalogo &frmCargador::Construccion() const
{
    return m_catalogo.Construccion();
}

QSize frmCargador::TamanoDeDiseno()
{
    return DisposicionPrincipal::TamanoDeDiseno();
}

void frmCargador::CrearControles()
{
    // Created bottom to top: a later control lies over an earlier one.
    m_casilla = new CasillaDeTeclas(*this, m_uso);

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
                                          m_casilla->Casilla(), Label1, lblLog}) {
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

    Nombrar({{m_juegos, "VistaDeJuegos"},
             {lblEstado, "lblEstado"},
             {lblDirectorio, "lblDirectorio"},
             {lblLista, "lblLista"},
             {lblGestionar, "lblGestionar"},
             {lblTeclas, "lblTeclas"},
             {Label1, "Label1"},
             {lblLog, "lblLog"},
             {Label4, "Label4"},
             {Label5, "Label5"},
             {Image1, "Image1"},
             {ImagenROM, "ImagenROM"},
             {barCatalogo, "barCatalogo"}});
    EncajarBarra();
}

void frmCargador::EncajarBarra()
{
    // Along the status line's bottom edge, inside its frame.
    const QRect estado = lblEstado->geometry();
    barCatalogo->setGeometry(estado.left() + 1, estado.bottom() - 3, estado.width() - 2, 3);
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
    // The catalogue there is comes once read: the list does not wait for it.
    m_catalogo.Leer();
    m_juegos->Mostrar(inicio.lista);
    Estado(inicio.estado);
    m_sinControles = inicio.configuracion != Arranque::Configuracion::Configurable;
    if (m_sinControles)
        HacerNoConfigurable();
    lblTeclas->setToolTip(
            m_sinControles ? QStringLiteral("Función no habilitada.")
                           : QStringLiteral("Configuración de teclas de M.A.M.E. para versiones "
                                            "posteriores a la 0.59b."));
    // What only writes in the folder cannot be done where nothing can be written.
    if (!m_sesion.Escribe()) {
        for (QWidget *control : std::initializer_list<QWidget *>{lblLista, lblTeclas, lblGestionar,
                                                                 m_casilla->Casilla()})
            control->setEnabled(false);
        lblDirectorio->setEnabled(!m_sesion.cd);
    }
    if (inicio.aviso)
        QTimer::singleShot(0, this, [aviso = *inicio.aviso] { Mensajes::Mostrar(aviso); });
    m_catalogo.ListaCargada(false);
}

void frmCargador::HacerNoConfigurable()
{
    lblTeclas->PonerGris(true);
    m_casilla->SinControles();
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
    // A copy: the boxes below let the list change meanwhile.
    const JuegoDeLista juego = juegos.Fila(fila);
    const QString titulo = juego.titulo;
    const std::optional<QString> archivo = Lanzamiento::ArchivoDeFila(m_sesion, juego);
    if (!archivo)
        return;
    if (Lanzamiento::RenombraFila(juego, *archivo)) {
        m_juegos->Renombrar(fila, *archivo);
        m_catalogo.Auditar();
    }
    Ocupacion ocupacion(this, &m_sesion.ocupado);
    m_sesion.ultimoTitulo = titulo;
    Estado({QStringLiteral("Cargando ROM, por favor se paciente."), ColorEstado::Rojo});

    Partida partida(m_sesion, [this] { return m_uso.Marcada(); });
    const Partida::Resultado resultado
            = partida.Jugar(*archivo, Lanzamiento::SoftwareDeFila(juego));
    if (partida.SeHaJugado())
        m_juegos->AnotarPartida(fila);
    if (const std::optional<LineaDeEstado> estado = Lanzamiento::AlTerminar(resultado))
        Estado(*estado);
    // The player may have taken a snapshot while playing.
    MostrarImagenROM(false);
    m_cierre->Seguir();
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
    m_imagenes->Mostrar(ampliar);
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
    if (m_cierre->Seguir())
        return;
    // The archives may carry new names. Loaded once this window is free again, so that the
    // hourglass of a renewal the load ends goes with it.
    CargarDatos();
}

void frmCargador::FinDelSistema()
{
    m_cierre->Pedir();
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
    if (cierre.error && m_cierre->Pedido())
        qCWarning(lcArchivos) << "mame.ini:" << cierre.error->texto;
    else if (cierre.error)
        Mensajes::Mostrar(*cierre.error);
    m_catalogo.Cancelar();
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
    // A renewal's countdown still running ends here: this load is the one it waited for.
    rehacerCatalogo = m_renovacion.Cargando() || rehacerCatalogo;
    Ocupacion reloj(this);
    m_juegos->Mostrar({});
    std::optional<ListaCargada> lista = ListaDeJuegos::CargarDatos(
            m_sesion.carpeta, m_sesion.cd, [this] { AvisarCreandoLista(); }, m_sesion.soloLectura);
    if (!lista) {
        Mensajes::Mostrar(ArchivosDeCarpeta::MensajeFaltanArchivosDeCD());
        reloj.Conservar();
        TerminarPrograma();
        return;
    }
    m_juegos->Mostrar(*lista);
    m_renovacion.Cargada();
    Estado(Arranque::EstadoTrasCargar(*lista,
                                      {QStringLiteral("Lista cargada."), ColorEstado::Verde}));
    m_catalogo.ListaCargada(rehacerCatalogo);
}

void frmCargador::lblDirectorio_Click()
{
    if (m_sesion.ocupado)
        return;
    CargarDatos();
}

void frmCargador::lblLista_Click()
{
    if (!m_sesion.ocupado)
        m_renovacion.Pedir();
}

void frmCargador::Timer1_Timer()
{
    m_renovacion.Paso();
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
    const DisposicionPrincipal::Lugares lugares = DisposicionPrincipal::Estirar(
            size(), {m_juegos->geometry(), lblEstado->geometry(), lblLog->geometry(), {}});
    if (lugares.tamano != size())
        resize(lugares.tamano);
    m_juegos->setGeometry(lugares.lista);
    lblEstado->setGeometry(lugares.estado);
    lblLog->setGeometry(lugares.log);
    EncajarEstado();
    EncajarBarra();
}

} // namespace Corvala
