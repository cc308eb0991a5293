#include "rommanager/windows/frmGestionar.h"

#include "catalogue/logic/Catalogo.h"
#include "catalogue/logic/ListaMame.h"
#include "comun/logic/ArchivosDeCarpeta.h"
#include "comun/logic/Sesion.h"
#include "comun/windows/AbrirConElSistema.h"
#include "comun/windows/BotonEtiqueta.h"
#include "comun/windows/Colores.h"
#include "comun/windows/Etiqueta.h"
#include "comun/windows/Lineas.h"
#include "comun/windows/ListaDeTextos.h"
#include "comun/windows/Nombrar.h"
#include "comun/windows/Ocupacion.h"
#include "comun/windows/Twips.h"
#include "rommanager/logic/Informes.h"
#include "rommanager/logic/ListasDelGestor.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QThread>
#include <QUrl>

namespace Corvala {

using Colores::Colorear;

namespace {

constexpr int kAncho = 9570;
constexpr int kAlto = 4485;

// A borderless panel framed by four lines, as the window is.
class PanelEnmarcado : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override { Twips::Enmarcar(this); }
};

// A value label: teal text that sizes itself to what it shows.
QLabel *Valor(QWidget *padre, int izquierda, int arriba)
{
    // It shows file names and titles as they are, never as markup.
    auto *valor = new QLabel(padre);
    valor->setTextFormat(Qt::PlainText);
    valor->move(Twips::Punto(izquierda, arriba));
    valor->setFont(Twips::Fuente(8.25));
    Colorear(valor, QPalette::WindowText, Colores::kTurquesa);
    return valor;
}

void PonerValor(QLabel *valor, const QString &texto)
{
    valor->setText(texto);
    valor->adjustSize();
}

QLabel *Rotulo(QWidget *padre, const QString &texto, const QRect &lugar)
{
    return Etiqueta(padre, texto, lugar, Colores::kBlanco, true);
}

BotonEtiqueta *Boton(QWidget *padre, const QString &texto, const QRect &lugar, const QString &ayuda,
                     bool aspectoPulsado)
{
    auto *boton = new BotonEtiqueta(texto, padre);
    boton->setGeometry(lugar);
    boton->setToolTip(ayuda);
    if (!aspectoPulsado)
        boton->SinAspectoPulsado();
    return boton;
}

} // namespace

QSize frmGestionar::TamanoDeDiseno()
{
    return Twips::Tamano(kAncho, kAlto);
}

frmGestionar::frmGestionar(Sesion &sesion, QWidget *parent, int limiteMs)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_sesion(sesion)
    , m_prueba(sesion.carpeta, limiteMs)
    , m_busqueda(m_prueba)
{
    setWindowTitle(QStringLiteral("Gestionar ROMs"));
    setFont(Twips::Fuente(8.25));
    setAutoFillBackground(true);
    Colorear(this, QPalette::Window, Colores::kFondoVentana);
    CrearControles();
}

void frmGestionar::CrearControles()
{
    Label2 = Rotulo(this, QStringLiteral("Carpeta ROMs"), Twips::Rect(525, 90, 1260, 195));
    Label1 = Rotulo(this, QStringLiteral("ROMs soportadas por esta versión de M.A.M.E"),
                    Twips::Rect(3750, 90, 3990, 195));

    ROMs = ListaDeTextos(this, &m_archivos, Twips::Rect(105, 315, 2175, 3150));
    ROMs->setFont(Twips::Fuente(9.75));
    lstJuegos = ListaDeTextos(this, &m_titulos, Twips::Rect(2325, 315, 7125, 3150));
    // Only a selection is a choice: the cursor the list puts on its first row when it takes
    // the focus selects nothing.
    connect(ROMs->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmGestionar::ROMs_Click);
    connect(lstJuegos->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmGestionar::lstJuegos_Click);

    lblContiene = Boton(this, QStringLiteral("Detalles"), Twips::Rect(105, 3525, 705, 255),
                        QStringLiteral("Detalles del archivo .zip"), false);
    Label3 = Rotulo(this, QStringLiteral("Titulo para el archivo:"),
                    Twips::Rect(795, 3555, 1995, 195));
    lblTitulo = Valor(this, 2730, 3555);
    lblArchivosJuego = Boton(this, QStringLiteral("Detalles"), Twips::Rect(105, 3810, 705, 255),
                             QStringLiteral("Detalles del juego seleccionado"), false);
    Label5 = Rotulo(this, QStringLiteral("Nombre de la ROM seleccionada:"),
                    Twips::Rect(795, 3840, 2985, 195));
    lblArchivo = Valor(this, 3705, 3840);

    lblBuscar = Boton(
            this, QStringLiteral("Buscar ROM compatible"), Twips::Rect(105, 4140, 2070, 255),
            QStringLiteral("Busca un juego emulable compatible para el archivo seleccionado, "
                           "entre todos los juegos emulables de M.A.M.E"),
            false);
    lblCompara
            = Boton(this, QStringLiteral("Comparar ROMs"), Twips::Rect(2190, 4140, 2070, 255),
                    QStringLiteral("Compara el archivo seleccionado con el juego para ver si son "
                                   "compatibles"),
                    false);
    lblActualizar
            = Boton(this, QStringLiteral("Actualizar ROM"), Twips::Rect(4275, 4140, 2070, 255),
                    QStringLiteral("Cambiar el archivo seleccionado al archivo para el juego "
                                   "seleccionado."),
                    true);
    // Beyond the window's layout, in the free space of its row of commands.
    lblColeccion = Boton(this, QStringLiteral("Informe de la colección"),
                         Twips::Rect(6360, 4140, 2070, 255),
                         QStringLiteral("Escribe un informe de toda la colección: qué juegos se "
                                        "pueden jugar y qué les falta a los demás."),
                         true);
    lblSalir = BotonEtiqueta::Negrita(QStringLiteral("Salir"), this,
                                      Twips::Rect(8820, 4140, 630, 255));
    lblSalir->setToolTip(QStringLiteral("Pues, sale, que otra cosa puede ser."));

    connect(lblContiene, &BotonEtiqueta::clic, this, &frmGestionar::lblContiene_Click);
    connect(lblArchivosJuego, &BotonEtiqueta::clic, this, &frmGestionar::lblArchivosJuego_Click);
    connect(lblBuscar, &BotonEtiqueta::clic, this, &frmGestionar::lblBuscar_Click);
    connect(lblCompara, &BotonEtiqueta::clic, this, &frmGestionar::lblCompara_Click);
    connect(lblActualizar, &BotonEtiqueta::clic, this, &frmGestionar::lblActualizar_Click);
    connect(lblColeccion, &BotonEtiqueta::clic, this, &frmGestionar::lblColeccion_Click);
    connect(lblSalir, &BotonEtiqueta::clic, this, &frmGestionar::lblSalir_Click);

    CrearPanel();
}

void frmGestionar::CrearPanel()
{
    Estado = new PanelEnmarcado(this);
    Estado->setGeometry(Twips::Rect(3015, 1005, 3780, 1650));
    Estado->setAutoFillBackground(true);
    Colorear(Estado, QPalette::Window, Colores::kFondoVentana);

    Label4 = Rotulo(Estado, QStringLiteral("Número de ROMs emuladas:"),
                    Twips::Rect(330, 195, 2445, 195));
    lblTotal = Valor(Estado, 2955, 210);
    Label7 = Rotulo(Estado, QStringLiteral("Número de ROMs Analizadas:"),
                    Twips::Rect(330, 480, 2565, 195));
    lblActual = Valor(Estado, 2955, 495);
    Label9 = Rotulo(Estado, QStringLiteral("Progreso:"), Twips::Rect(330, 795, 855, 195));
    progreso = new QProgressBar(Estado);
    progreso->setGeometry(Twips::Rect(1260, 795, 2175, 210));
    progreso->setTextVisible(false);
    lblCancelar = Boton(Estado, QStringLiteral("Cancelar"), Twips::Rect(1335, 1260, 975, 255),
                        QStringLiteral("Cancelar el proceso de búsqueda"), true);
    connect(lblCancelar, &BotonEtiqueta::clic, this, &frmGestionar::lblCancelar_Click);

    Estado->raise();
    Estado->hide();
    Nombrar({{Label1, "Label1"},
             {Label2, "Label2"},
             {Label3, "Label3"},
             {Label5, "Label5"},
             {ROMs, "ROMs"},
             {lstJuegos, "lstJuegos"},
             {lblContiene, "lblContiene"},
             {lblTitulo, "lblTitulo"},
             {lblArchivosJuego, "lblArchivosJuego"},
             {lblArchivo, "lblArchivo"},
             {lblBuscar, "lblBuscar"},
             {lblCompara, "lblCompara"},
             {lblActualizar, "lblActualizar"},
             {lblColeccion, "lblColeccion"},
             {lblSalir, "lblSalir"},
             {Estado, "Estado"},
             {Label4, "Label4"},
             {lblTotal, "lblTotal"},
             {Label7, "Label7"},
             {lblActual, "lblActual"},
             {Label9, "Label9"},
             {progreso, "progreso"},
             {lblCancelar, "lblCancelar"}});
}

void frmGestionar::paintEvent(QPaintEvent *evento)
{
    QDialog::paintEvent(evento);
    Twips::Enmarcar(this);
}

void frmGestionar::Form_Load()
{
    Ocupacion reloj(this);
    setFixedSize(TamanoDeDiseno());
    // Centred on the main window; Qt's own placement allows for a frame this window lacks.
    if (const QWidget *principal = parentWidget())
        move(principal->frameGeometry().center() - rect().center());
    if (!m_sesion.cd)
        m_prueba.DevolverNombrePendiente();
    CargarDatos();
}

void frmGestionar::CargarDatos()
{
    const CarpetaMame &carpeta = m_sesion.carpeta;
    m_titulos.setStringList({});
    if (m_sesion.cd && ArchivosDeCarpeta::FaltanArchivosDeCD(carpeta)) {
        Mensajes::Mostrar(ArchivosDeCarpeta::MensajeFaltanArchivosDeCD());
        m_terminado = true;
        Q_EMIT programaTerminado();
        return;
    }
    ListasDelGestor::ReconstruirLista(carpeta);
    m_archivos.setStringList(ListasDelGestor::Archivos(carpeta));
    m_titulos.setStringList(ListasDelGestor::Titulos(carpeta));
}

void frmGestionar::RefrescarROMs()
{
    m_archivos.setStringList(ListasDelGestor::Archivos(m_sesion.carpeta));
}

QString frmGestionar::ArchivoElegido() const
{
    const QModelIndexList filas = ROMs->selectionModel()->selectedRows();
    return filas.isEmpty() ? QString() : filas.first().data().toString();
}

bool frmGestionar::HayJuegoElegido() const
{
    return lstJuegos->selectionModel()->hasSelection();
}

QString frmGestionar::ArchivoDelJuegoElegido() const
{
    return HayJuegoElegido() ? RomDeTitulo(m_sesion.carpeta, JuegoElegido()) : QString();
}

QString frmGestionar::JuegoElegido() const
{
    const QModelIndexList filas = lstJuegos->selectionModel()->selectedRows();
    return filas.isEmpty() ? QString() : filas.first().data().toString();
}

void frmGestionar::ROMs_Click()
{
    if (m_ocupado)
        return;
    const QString archivo = ArchivoElegido();
    if (archivo.isEmpty())
        return;
    const ListasDelGestor::TituloDeArchivo titulo
            = ListasDelGestor::Titulo(m_sesion.carpeta, m_sesion.catalogo.get(), archivo);
    PonerValor(lblTitulo, titulo.texto);
    lblTitulo->setToolTip(titulo.ayuda);
}

void frmGestionar::lstJuegos_Click()
{
    if (m_ocupado || !HayJuegoElegido())
        return;
    PonerValor(lblArchivo, ArchivoDelJuegoElegido());
}

void frmGestionar::lblSalir_Click()
{
    if (m_ocupado)
        return;
    Ocupacion ocupacion(nullptr, &m_ocupado);
    m_saliendo = true;
    accept();
}

void frmGestionar::closeEvent(QCloseEvent *evento)
{
    // Only "Salir" closes the window.
    if (m_saliendo)
        evento->accept();
    else
        evento->ignore();
}

void frmGestionar::reject()
{
    // The Escape key does not close it either.
}

void frmGestionar::Informar(bool elegido, const std::function<bool()> &escribir)
{
    if (m_ocupado)
        return;
    Ocupacion ocupacion(this, &m_ocupado);
    if (elegido) {
        if (escribir())
            AbrirConElSistema(QUrl::fromLocalFile(Informes::Ruta(m_sesion.carpeta)));
        else
            Mensajes::Mostrar(Informes::MensajeSinInforme());
    }
}

bool frmGestionar::ArchivoIlegible(const QString &archivo) const
{
    if (archivo.isEmpty()
        || !ArchivosDeCarpeta::NombreIlegible(m_sesion.carpeta.Ruta(QStringLiteral("roms")),
                                              archivo))
        return false;
    Mensajes::Mostrar(ArchivosDeCarpeta::MensajeNombreIlegible(archivo));
    return true;
}

void frmGestionar::lblColeccion_Click()
{
    if (!m_sesion.catalogo) {
        if (!m_ocupado)
            Mensajes::Mostrar(Informes::MensajeColeccionSinCatalogo());
        return;
    }
    Informar(true, [this] {
        // The whole collection is read beside the window, which stays live meanwhile.
        bool escrito = false;
        QEventLoop espera;
        QThread *hilo = QThread::create(
                [&escrito, carpeta = m_sesion.carpeta, catalogo = m_sesion.catalogo] {
                    escrito = Informes::InformeDeColeccion(carpeta, *catalogo);
                });
        connect(hilo, &QThread::finished, &espera, &QEventLoop::quit);
        hilo->start();
        espera.exec();
        hilo->wait();
        delete hilo;
        return escrito;
    });
}

void frmGestionar::lblContiene_Click()
{
    const QString archivo = ArchivoElegido();
    if (!m_ocupado && ArchivoIlegible(archivo))
        return;
    Informar(!archivo.isEmpty(), [&] {
        return Informes::InformeDeArchivo(m_sesion.carpeta, archivo, m_sesion.catalogo.get());
    });
}

void frmGestionar::lblArchivosJuego_Click()
{
    Informar(HayJuegoElegido(), [this] {
        return Informes::InformeDeJuego(m_sesion.carpeta, JuegoElegido(), ArchivoDelJuegoElegido());
    });
}

void frmGestionar::lblBuscar_Click()
{
    if (m_ocupado)
        return;
    {
        Ocupacion ocupacion(nullptr, &m_ocupado);
        if (ArchivoIlegible(ArchivoElegido()))
            return;
        if (!ArchivoElegido().isEmpty()
            && Mensajes::Mostrar(Busqueda::Confirmacion()) == Respuesta::Si)
            BuscarCompatible();
        // The wind-up, the same for every outcome.
        Estado->hide();
        m_busqueda.Terminar();
    }
    // The lists may have moved meanwhile: the labels show what is chosen now.
    ROMs_Click();
    lstJuegos_Click();
}

Compatibilidad &frmGestionar::Prueba()
{
    // The catalogue may have been built or rebuilt since the last test.
    m_prueba.PonerCatalogo(m_sesion.catalogo);
    return m_prueba;
}

void frmGestionar::BuscarCompatible()
{
    m_busqueda.Empezar();
    Ocupacion reloj(this);
    Estado->show();
    Prueba();
    const Busqueda::Juegos juegos = Busqueda::JuegosAProbar(
            m_sesion.carpeta, m_sesion.catalogo.get(), ArchivoElegido(), int(m_titulos.rowCount()));
    PonerValor(lblTotal, QString::number(juegos.total));
    progreso->setRange(1, juegos.total);
    const Busqueda::Resultado resultado = m_busqueda.Recorrer(
            juegos.juegos, [this] { return ArchivoElegido(); },
            [this](qint32 contador) {
                PonerValor(lblActual, QString::number(contador));
                // The header line is counted too: the last line lies one beyond the bar's end.
                progreso->setValue(std::min(contador, progreso->maximum()));
            });
    if (resultado == Busqueda::Resultado::Encontrada)
        ElegirTitulo(m_busqueda.TituloEncontrado());
    Mensajes::Mostrar(Busqueda::MensajeDeResultado(resultado, m_busqueda.TituloEncontrado()));
}

void frmGestionar::ElegirTitulo(const QString &titulo)
{
    const QStringList titulos = m_titulos.stringList();
    for (int fila = 0; fila < titulos.size(); ++fila) {
        if (titulos[fila].trimmed() == titulo) {
            const QModelIndex indice = m_titulos.index(fila);
            lstJuegos->setCurrentIndex(indice);
            lstJuegos->scrollTo(indice, QAbstractItemView::PositionAtCenter);
            return;
        }
    }
}

void frmGestionar::lblCancelar_Click()
{
    // Not turned away while busy: it runs while the search waits for the emulator.
    if (!m_busqueda.Buscando())
        return;
    if (Mensajes::Mostrar(Busqueda::PreguntaCancelar()) == Respuesta::Si)
        m_busqueda.Cancelar();
}

void frmGestionar::lblCompara_Click()
{
    if (m_ocupado)
        return;
    Ocupacion ocupacion(nullptr, &m_ocupado);
    const QString archivo = ArchivoElegido();
    if (ArchivoIlegible(archivo))
        return;
    if (HayJuegoElegido() && !archivo.isEmpty())
        Mensajes::Mostrar(Compatibilidad::MensajeDeComparacion(
                Prueba().Comparar(archivo, ArchivoDelJuegoElegido())));
}

void frmGestionar::lblActualizar_Click()
{
    if (m_ocupado)
        return;
    Ocupacion ocupacion(nullptr, &m_ocupado);
    if (!HayJuegoElegido() || ArchivoElegido().isEmpty()) {
        Mensajes::Mostrar(Compatibilidad::MensajeFaltaSeleccion());
    } else if (!ArchivoIlegible(ArchivoElegido())) {
        const QString archivoDelJuego
                = Compatibilidad::EnSuForma(ArchivoElegido(), ArchivoDelJuegoElegido());
        const Mensaje pregunta = Compatibilidad::PreguntaActualizar(
                ArchivoElegido(), JuegoElegido(), archivoDelJuego);
        if (Mensajes::Mostrar(pregunta) == Respuesta::Si) {
            // Read again: the selection may have moved while the question was open.
            const QString archivo = ArchivoElegido();
            const Compatibilidad::Actualizacion actualizacion
                    = Prueba().Actualizar(archivo, archivoDelJuego);
            if (actualizacion == Compatibilidad::Actualizacion::Actualizada
                || actualizacion == Compatibilidad::Actualizacion::NoRenombrada)
                RefrescarROMs();
            if (const std::optional<Mensaje> mensaje
                = Compatibilidad::MensajeDeActualizacion(actualizacion, archivo, archivoDelJuego))
                Mensajes::Mostrar(*mensaje);
        }
    }
}

} // namespace Corvala
