#include "frontend/windows/frmCargador.h"

#include "comun/logic/ArchivosDeCarpeta.h"
#include "comun/logic/ListaMame.h"
#include "comun/logic/Mensajes.h"
#include "comun/logic/modPrincipal.h"
#include "comun/logic/Sesion.h"
#include "comun/windows/BotonEtiqueta.h"
#include "comun/windows/Colores.h"
#include "comun/windows/Etiqueta.h"
#include "comun/windows/Imagenes.h"
#include "comun/windows/ListaDeTextos.h"
#include "comun/windows/Nombrar.h"
#include "comun/windows/Ocupacion.h"
#include "comun/windows/Twips.h"
#include "controls/logic/EdicionDeTeclas.h"
#include "controls/windows/frmTeclas.h"
#include "frontend/logic/Arranque.h"
#include "frontend/logic/InformacionJuego.h"
#include "frontend/logic/Instantanea.h"
#include "frontend/logic/Partida.h"
#include "frontend/logic/UsoDelCatalogo.h"
#include "frontend/windows/DelegadoDeJuegos.h"
#include "frontend/windows/frmImagen.h"
#include "frontend/windows/frmInformacion.h"
#include "imaging/cGdiPlus.h"
#include "infowindows/windows/frmAcercaDe.h"
#include "rommanager/windows/frmGestionar.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QShortcut>
#include <QStyle>

#include <future>

namespace Corvala {

using Colores::Colorear;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

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
    connect(&m_construccion, &ConstruccionCatalogo::avance, this, [this](int maquinas) {
        barCatalogo->setValue(std::min(maquinas, barCatalogo->maximum()));
        barCatalogo->setToolTip(
                QStringLiteral("Preparando el catálogo del emulador: %1 de %2 máquinas.")
                        .arg(maquinas)
                        .arg(barCatalogo->maximum()));
    });
    connect(&m_construccion, &ConstruccionCatalogo::terminada, this,
            &frmCargador::CatalogoTerminado);

    // The box shows the use of the defined keys; a click asks for the other state.
    connect(chkUsaControles, &QCheckBox::clicked, &m_uso, &UsoDeTeclas::Pulsar);
    connect(&m_uso, &UsoDeTeclas::marcadaCambiada, chkUsaControles, &QCheckBox::setChecked);
    chkUsaControles->installEventFilter(this);

    connect(lstJuegos, &QListView::doubleClicked, this, &frmCargador::LanzarJuego);
    // A click on the row already chosen refreshes the preview and the status as a new one.
    connect(lstJuegos, &QListView::clicked, this, &frmCargador::lstJuegos_Click);
    connect(lstJuegos->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmCargador::lstJuegos_Click);
    lstJuegos->installEventFilter(this);
    ImagenROM->installEventFilter(this);
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

    m_filtro.setSourceModel(&m_juegos);
    lstJuegos = ListaDeTextos(this, &m_filtro, Twips::Rect(2160, 30, 4860, 3930));
    lstJuegos->setItemDelegate(new DelegadoDeJuegos(lstJuegos));

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
    connect(lblDirectorio, &BotonEtiqueta::clic, this, &frmCargador::lblDirectorio_Click);
    connect(lblLista, &BotonEtiqueta::clic, this, &frmCargador::lblLista_Click);
    connect(lblLog, &BotonEtiqueta::clic, this, &frmCargador::lblLog_Click);
    connect(Label1, &BotonEtiqueta::clic, this, &frmCargador::Label1_Click);
    connect(lblTeclas, &BotonEtiqueta::clic, this, &frmCargador::lblTeclas_Click);
    connect(lblGestionar, &BotonEtiqueta::clic, this, &frmCargador::lblGestionar_Click);

    ImagenROM = new QLabel(this);
    ImagenROM->setGeometry(Twips::Rect(30, 2925, 2070, 1290));
    ImagenROM->setScaledContents(true);
    ImagenROM->setCursor(Imagenes::Mano());
    ImagenROM->setToolTip(QStringLiteral("Haz click para ver la imagen en su tamaño original"));
    ImagenROM->setPixmap(Imagenes::SinImagen());

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

    txtBuscar = new QLineEdit(this);
    txtBuscar->setFont(Twips::Fuente(8.25));
    txtBuscar->setPlaceholderText(QStringLiteral("Buscar juego"));
    txtBuscar->setToolTip(QStringLiteral(
            "Escribe parte del nombre del juego o del archivo. Intro carga la ROM elegida, "
            "Escape cierra la búsqueda."));
    txtBuscar->hide();
    txtBuscar->installEventFilter(this);
    connect(txtBuscar, &QLineEdit::textEdited, this, [this](const QString &texto) {
        if (texto.isEmpty())
            CerrarBusqueda();
        else
            MantenerEleccion([this, texto] { m_filtro.Buscar(texto); });
    });
    auto *buscar = new QShortcut(QKeySequence::Find, this);
    connect(buscar, &QShortcut::activated, this, [this] {
        if (!m_sesion.ocupado)
            AbrirBusqueda(txtBuscar->isHidden() ? QString() : txtBuscar->text());
    });

    barCatalogo = new QProgressBar(this);
    barCatalogo->setTextVisible(false);
    barCatalogo->setStyleSheet(
            QStringLiteral("QProgressBar { border: none; background: transparent; }"
                           "QProgressBar::chunk { background: %1; }")
                    .arg(QColor(Colores::kFondoVentana).name()));
    barCatalogo->hide();

    CrearMenu();

    Timer1.setParent(this);
    Nombrar({{lstJuegos, "lstJuegos"},
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
             {txtBuscar, "txtBuscar"},
             {barCatalogo, "barCatalogo"},
             {mnuLista, "mnuLista"},
             {mnuInformacion, "mnuInformacion"},
             {mnuFavorito, "mnuFavorito"},
             {mnuRecientes, "mnuRecientes"},
             {mnuOcultarClones, "mnuOcultarClones"},
             {mnuSoloFuncionan, "mnuSoloFuncionan"},
             {mnuOcultarBios, "mnuOcultarBios"},
             {mnuSoloFavoritos, "mnuSoloFavoritos"}});
    EncajarBusqueda();
}

void frmCargador::CrearMenu()
{
    mnuLista = new QMenu(this);
    mnuInformacion = mnuLista->addAction(QStringLiteral("Información del juego"), this,
                                         &frmCargador::mnuInformacion_Click);
    mnuFavorito = mnuLista->addAction(QStringLiteral("Añadir a favoritos"), this,
                                      &frmCargador::mnuFavorito_Click);
    mnuRecientes = mnuLista->addMenu(QStringLiteral("Jugados recientemente"));
    mnuLista->addSeparator();
    struct Entrada
    {
        QAction *&accion;
        const char *texto;
        bool Filtros::*filtro;
    };
    const Entrada entradas[] = {
            {mnuOcultarClones, "Ocultar clones", &Filtros::ocultarClones},
            {mnuSoloFuncionan, "Sólo juegos que funcionan", &Filtros::soloFuncionan},
            {mnuOcultarBios, "Ocultar BIOS y dispositivos", &Filtros::ocultarBios},
            {mnuSoloFavoritos, "Sólo favoritos", &Filtros::soloFavoritos},
    };
    for (const Entrada &entrada : entradas) {
        entrada.accion = mnuLista->addAction(QString::fromUtf8(entrada.texto));
        entrada.accion->setCheckable(true);
        connect(entrada.accion, &QAction::triggered, this,
                [this, filtro = entrada.filtro](bool marcado) { CambiarFiltro(filtro, marcado); });
    }
    connect(mnuLista, &QMenu::aboutToShow, this, &frmCargador::ActualizarMenu);
    lstJuegos->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lstJuegos, &QWidget::customContextMenuRequested, this, &frmCargador::MostrarMenu);
}

void frmCargador::MostrarMenu(const QPoint &punto)
{
    if (m_sesion.ocupado)
        return;
    // The menu speaks of the row under the pointer.
    const QModelIndex indice = lstJuegos->indexAt(punto);
    if (indice.isValid())
        lstJuegos->setCurrentIndex(indice);
    mnuLista->popup(lstJuegos->viewport()->mapToGlobal(punto));
}

void frmCargador::ActualizarMenu()
{
    const UsoDelCatalogo::Menu menu = UsoDelCatalogo::EstadoDelMenu(
            m_lista, m_filtro, FilaElegida(), m_jugador, m_sesion.catalogo != nullptr);
    mnuInformacion->setEnabled(menu.informacion);
    mnuFavorito->setEnabled(menu.favorito);
    mnuFavorito->setText(menu.esFavorito ? QStringLiteral("Quitar de favoritos")
                                         : QStringLiteral("Añadir a favoritos"));
    mnuRecientes->clear();
    for (const auto &[titulo, fila] : menu.recientes)
        mnuRecientes->addAction(titulo, this, [this, fila = fila] { LanzarFila(fila); });
    mnuRecientes->setEnabled(!menu.recientes.isEmpty());

    const Filtros &filtros = m_jugador.filtros;
    for (auto [accion, marcado, necesitaCatalogo] :
         {std::tuple{mnuOcultarClones, filtros.ocultarClones, true},
          std::tuple{mnuSoloFuncionan, filtros.soloFuncionan, true},
          std::tuple{mnuOcultarBios, filtros.ocultarBios, true},
          std::tuple{mnuSoloFavoritos, filtros.soloFavoritos, false}}) {
        accion->setChecked(marcado);
        accion->setEnabled(!necesitaCatalogo || menu.filtrosDelCatalogo);
    }
}

void frmCargador::CambiarFiltro(bool Filtros::*filtro, bool valor)
{
    if (m_sesion.ocupado)
        return;
    m_jugador.filtros.*filtro = valor;
    GuardarJugador();
    MantenerEleccion([this] { m_filtro.PonerFiltros(m_jugador.filtros); });
}

void frmCargador::GuardarJugador()
{
    // A CD-ROM keeps nothing: the player's choices last while Corvala runs.
    if (m_sesion.cd || m_jugador.Guardar(m_sesion.carpeta))
        return;
    Mensajes::Mostrar({QStringLiteral("No se han podido guardar los favoritos y los filtros en el "
                                      "archivo 'jugador.txt'. Comprueba que la carpeta de M.A.M.E "
                                      "no es de sólo lectura y que queda espacio en el disco."),
                       QStringLiteral("Error."), Mensaje::Icono::Exclamacion,
                       Mensaje::Botones::Aceptar});
}

void frmCargador::mnuFavorito_Click()
{
    const int fila = FilaElegida();
    if (m_sesion.ocupado || m_filtro.Desconocida(fila))
        return;
    const QString juego = m_filtro.Juego(fila);
    m_jugador.Favorito(juego, !m_jugador.EsFavorito(juego));
    GuardarJugador();
    MantenerEleccion([this] { m_filtro.Refrescar(); });
}

void frmCargador::mnuInformacion_Click()
{
    const int fila = FilaElegida();
    if (m_sesion.ocupado || fila < 0)
        return;
    const QString juego = m_filtro.Juego(fila);
    const bool desconocida = m_filtro.Desconocida(fila);
    frmInformacion(InformacionJuego::Filas(m_lista.juegos.at(fila), m_lista.Archivo(fila),
                                           m_filtro.Maquina(fila), m_sesion.catalogo.get(),
                                           desconocida ? Jugado() : m_jugador.Historial(juego),
                                           !desconocida && m_jugador.EsFavorito(juego)),
                   this)
            .exec();
}

void frmCargador::MantenerEleccion(const std::function<void()> &cambio)
{
    const int fila = FilaElegida();
    cambio();
    // Nothing chosen stays so, but in a search.
    if (fila < 0 && txtBuscar->isHidden())
        return;
    if (fila >= 0 && m_filtro.mapFromSource(m_juegos.index(fila)).isValid()) {
        ElegirFila(fila);
    } else if (m_filtro.rowCount() > 0) {
        ElegirFila(m_filtro.mapToSource(m_filtro.index(0, 0)).row());
    }
}

void frmCargador::ElegirFila(int fila)
{
    const QModelIndex indice = m_filtro.mapFromSource(m_juegos.index(fila));
    if (!indice.isValid())
        return;
    lstJuegos->setCurrentIndex(indice);
    lstJuegos->selectionModel()->select(indice, QItemSelectionModel::ClearAndSelect);
    lstJuegos->scrollTo(indice);
}

void frmCargador::AbrirBusqueda(const QString &texto)
{
    if (m_sesion.ocupado)
        return;
    EncajarBusqueda();
    txtBuscar->show();
    txtBuscar->raise();
    txtBuscar->setFocus();
    if (texto != txtBuscar->text()) {
        txtBuscar->setText(texto);
        MantenerEleccion([this, texto] { m_filtro.Buscar(texto); });
    }
}

void frmCargador::CerrarBusqueda()
{
    const int fila = FilaElegida();
    txtBuscar->hide();
    txtBuscar->clear();
    m_filtro.Buscar(QString());
    if (fila >= 0)
        ElegirFila(fila);
    lstJuegos->setFocus();
}

void frmCargador::EncajarBusqueda()
{
    // Over the list's bottom edge, inside its frame.
    const QRect lista = lstJuegos->geometry();
    const int alto = txtBuscar->sizeHint().height();
    txtBuscar->setGeometry(lista.left() + 1, lista.bottom() - alto, lista.width() - 2, alto);
    const QRect estado = lblEstado->geometry();
    barCatalogo->setGeometry(estado.left() + 1, estado.bottom() - 3, estado.width() - 2, 3);
}

void frmCargador::PrepararCatalogo(bool rehacer)
{
    const std::optional<OrdenEmulador> orden = UsoDelCatalogo::Orden(m_sesion);
    if (!orden || !UsoDelCatalogo::HayQueConstruir(m_sesion, rehacer))
        return;
    // The old catalogue serves until the new one is whole.
    m_construccion.Iniciar(m_sesion.carpeta, *orden, UsoDelCatalogo::SelloActual(m_sesion));
    barCatalogo->setMaximum(std::max(1, m_lista.juegosListados));
    barCatalogo->setValue(0);
    barCatalogo->show();
    barCatalogo->raise();
}

void frmCargador::CatalogoTerminado(std::shared_ptr<const Catalogo> catalogo)
{
    barCatalogo->hide();
    if (!catalogo)
        return;
    m_sesion.catalogo = std::move(catalogo);
    MantenerEleccion([this] { m_filtro.PonerCatalogo(m_sesion.catalogo); });
    IdentificarDesconocidas();
}

void frmCargador::IdentificarDesconocidas()
{
    QStringList desconocidas;
    for (int fila = 0; fila < m_lista.juegos.size(); ++fila) {
        if (m_filtro.Desconocida(fila))
            desconocidas << m_lista.Archivo(fila);
    }
    m_parecidos.Iniciar(m_sesion.catalogo, m_sesion.carpeta.Ruta(QStringLiteral("roms")),
                        desconocidas);
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
    // The catalogue there is, read while the start-up reads the list.
    std::future<std::shared_ptr<const Catalogo>> catalogo;
    if (QFileInfo::exists(Catalogo::Ruta(m_sesion.carpeta)))
        catalogo = std::async(std::launch::async, &Catalogo::Abrir,
                              Catalogo::Ruta(m_sesion.carpeta));
    Arranque::Inicio inicio = Arranque::Iniciar(m_sesion, [this] { AvisarCreandoLista(); });
    if (inicio.rechazo) {
        Mensajes::Mostrar(*inicio.rechazo);
        TerminarPrograma();
        return;
    }
    m_jugador = DatosDelJugador::Leer(m_sesion.carpeta);
    m_filtro.PonerFiltros(m_jugador.filtros);
    if (catalogo.valid() && UsoDelCatalogo::Orden(m_sesion))
        m_sesion.catalogo = catalogo.get();
    MostrarLista(std::move(inicio.lista));
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
    PrepararCatalogo(false);
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
    } else if (objeto == ImagenROM && evento->type() == QEvent::MouseButtonRelease) {
        if (EsClic(static_cast<QMouseEvent *>(evento), ImagenROM))
            MostrarImagenROM(true);
    } else if (objeto == txtBuscar && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            LanzarJuego();
            return true;
        }
        if (tecla == Qt::Key_Escape) {
            CerrarBusqueda();
            return true;
        }
        // The arrows move through the rows that match.
        if (tecla == Qt::Key_Up || tecla == Qt::Key_Down || tecla == Qt::Key_PageUp
            || tecla == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(lstJuegos, evento);
            return true;
        }
    } else if (objeto == lstJuegos && evento->type() == QEvent::KeyPress) {
        const auto *teclaPulsada = static_cast<QKeyEvent *>(evento);
        const int tecla = teclaPulsada->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            LanzarJuego();
            return true;
        }
        // A character typed on the list opens the search with it.
        const QString texto = teclaPulsada->text();
        if (!texto.trimmed().isEmpty() && texto.at(0).isPrint()
            && !(teclaPulsada->modifiers()
                 & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            AbrirBusqueda(txtBuscar->isHidden() ? texto : txtBuscar->text() + texto);
            return true;
        }
        // Before anything is chosen, the first arrow chooses the row under the list's focus
        // cursor (the first row) rather than move past it unchosen.
        if ((tecla == Qt::Key_Down || tecla == Qt::Key_Up) && FilaElegida() < 0
            && m_filtro.rowCount() > 0) {
            const QModelIndex actual = lstJuegos->currentIndex();
            lstJuegos->setCurrentIndex(actual.isValid() ? actual : m_filtro.index(0, 0));
            lstJuegos->selectionModel()->select(lstJuegos->currentIndex(),
                                                QItemSelectionModel::ClearAndSelect);
            return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

void frmCargador::LanzarJuego()
{
    LanzarFila(FilaElegida());
}

void frmCargador::LanzarFila(int fila)
{
    if (m_sesion.ocupado)
        return;
    // No row is selected in an empty list, or before the first choice: nothing to start.
    if (fila < 0 || fila >= m_lista.juegos.size())
        return;
    const QString titulo = m_lista.juegos.at(fila);
    if (EsRomDesconocida(titulo)) {
        Mensajes::Mostrar(Partida::MensajeRomDesconocida());
        return;
    }
    const std::optional<QString> archivo
            = Partida::ArchivoParaJugar(m_sesion.carpeta, m_lista.Archivo(fila), m_sesion.cd);
    if (!archivo)
        return;
    m_lista.Renombrar(fila, *archivo);
    Ocupacion ocupacion(this, &m_sesion.ocupado);
    m_sesion.ultimoTitulo = titulo;
    Estado({QStringLiteral("Cargando ROM, por favor se paciente."), ColorEstado::Rojo});

    Partida partida(m_sesion, [this] { return m_uso.Marcada(); });
    const Partida::Resultado resultado = partida.Jugar(*archivo);
    m_jugador.Jugar(DatosDelJugador::Juego(*archivo), QDateTime::currentDateTime());
    if (!m_sesion.cd)
        m_jugador.Guardar(m_sesion.carpeta);
    if (resultado == Partida::Resultado::ErrorCfg) {
        Mensajes::Mostrar(Partida::MensajeErrorCfg());
    } else if (resultado == Partida::Resultado::ConError) {
        Estado({Partida::TextoTerminadaConError(), ColorEstado::Rojo});
    } else {
        Estado({QStringLiteral("Ha terminado la carga."), ColorEstado::Azul});
    }
}

int frmCargador::FilaElegida() const
{
    const QModelIndexList filas = lstJuegos->selectionModel()->selectedRows();
    if (filas.isEmpty())
        return -1;
    const int fila = m_filtro.mapToSource(filas.first()).row();
    return fila >= 0 && fila < m_lista.juegos.size() ? fila : -1;
}

void frmCargador::lstJuegos_Click()
{
    if (m_sesion.ocupado)
        return;
    const int fila = FilaElegida();
    if (fila < 0)
        return;
    Estado({QStringLiteral("Haz doble clic para cargar la ROM."), ColorEstado::Turquesa});
    const QString archivo = m_lista.Archivo(fila);
    QString ayuda = QStringLiteral("Nombre del archivo zip de la ROM: \"%1\"").arg(archivo);
    // Only the archives the emulator does not know are identified.
    for (const QString &linea :
         {InformacionJuego::LineaDeAyuda(m_filtro.Maquina(fila), m_sesion.catalogo.get()),
          InformacionJuego::LineaDeParecido(m_parecidos.Primero(archivo))}) {
        if (!linea.isEmpty())
            ayuda += QLatin1Char('\n') + linea;
    }
    lstJuegos->setToolTip(ayuda);
    MostrarImagenROM(false);
}

void frmCargador::MostrarImagenROM(bool ampliar)
{
    const int fila = FilaElegida();
    if (fila < 0)
        return;
    const QString ruta = RutaInstantanea(m_sesion.carpeta, m_lista.Archivo(fila));
    if (!ampliar) {
        // Stretched over the fixed box; a file that cannot be decoded leaves it empty.
        ImagenROM->setPixmap(ruta.isEmpty()
                                     ? Imagenes::SinImagen()
                                     : QPixmap::fromImage(cGdiPlus().FilenameToIPicture(ruta)));
        return;
    }
    if (ruta.isEmpty())
        return;
    if (!m_imagen)
        m_imagen = new frmImagen(this);
    m_imagen->Mostrar(cGdiPlus().FilenameToIPicture(ruta));
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
    // The archives may carry new names.
    CargarDatos();
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
    if (cierre.error)
        Mensajes::Mostrar(*cierre.error);
    m_construccion.Cancelar();
    evento->accept();
}

void frmCargador::Estado(const LineaDeEstado &estado)
{
    QRgb color = Colores::kRojo;
    switch (estado.color) {
    case ColorEstado::Rojo:
        color = Colores::kRojo;
        break;
    case ColorEstado::Verde:
        color = Colores::kVerde;
        break;
    case ColorEstado::Azul:
        color = Colores::kAzul;
        break;
    case ColorEstado::Turquesa:
        color = Colores::kTurquesa;
        break;
    }
    lblEstado->setText(estado.texto);
    Colorear(lblEstado, QPalette::WindowText, color);
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

void frmCargador::MostrarLista(ListaCargada lista)
{
    m_lista = std::move(lista);
    m_juegos.setStringList(m_lista.juegos);
    m_filtro.Preparar(m_lista, m_sesion.catalogo, &m_jugador);
    IdentificarDesconocidas();
}

void frmCargador::TerminarPrograma()
{
    m_terminado = true;
    Q_EMIT programaTerminado();
}

void frmCargador::CargarDatos(bool rehacerCatalogo)
{
    Timer1.setInterval(1);
    Ocupacion reloj(this);
    MostrarLista({});
    std::optional<ListaCargada> lista = ListaDeJuegos::CargarDatos(
            m_sesion.carpeta, m_sesion.cd, [this] { AvisarCreandoLista(); });
    if (!lista) {
        Mensajes::Mostrar(ArchivosDeCarpeta::MensajeFaltanArchivosDeCD());
        reloj.Conservar();
        TerminarPrograma();
        return;
    }
    const bool fallida = lista->listaFallida;
    MostrarLista(std::move(*lista));
    Timer1.stop();
    Estado(fallida ? LineaDeEstado{ListaCargada::TextoListaFallida(), ColorEstado::Rojo}
                   : LineaDeEstado{QStringLiteral("Lista cargada."), ColorEstado::Verde});
    PrepararCatalogo(rehacerCatalogo);
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
        Mensajes::Mostrar({QStringLiteral("Se ha producido un error, comprueba si el archivo "
                                          "'Lista.txt' está cómo sólo lectura ya que si es así es "
                                          "imposible seguir."),
                           QStringLiteral("Error."), Mensaje::Icono::Critico,
                           Mensaje::Botones::Aceptar});
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
    if (m_sesion.ultimoLog.isEmpty()) {
        Mensajes::Mostrar({QStringLiteral("No hay sucesos."), QStringLiteral("Visor de Sucesos.")});
        return;
    }
    Mensajes::Mostrar({QStringLiteral("Juego cargado: ") + m_sesion.ultimoTitulo + kCrLf + kCrLf
                               + QStringLiteral("Sucesos:") + kCrLf + kCrLf + m_sesion.ultimoLog,
                       QStringLiteral("Visor de sucesos.")});
}

void frmCargador::resizeEvent(QResizeEvent *evento)
{
    QWidget::resizeEvent(evento);
    if (isMinimized())
        return;
    // The outer size of the window as designed: the client area and the designed frame.
    const int ancho = Twips::DesdePx(width()) + kMarcoAncho;
    const int alto = Twips::DesdePx(height()) + kMarcoAlto;
    QRect lista = lstJuegos->geometry();
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
    lstJuegos->setGeometry(lista);
    lblEstado->setGeometry(estado);
    lblLog->setGeometry(log);
    EncajarEstado();
    EncajarBusqueda();
}

} // namespace Corvala
