#include "frontend/windows/VistaDeJuegos.h"

#include "comun/logic/ArchivosDeCarpeta.h"
#include "comun/logic/ArchivoTexto.h"
#include "comun/logic/Mensajes.h"
#include "comun/logic/modPrincipal.h"
#include "comun/logic/Registro.h"
#include "comun/logic/Sesion.h"
#include "comun/windows/Colores.h"
#include "comun/windows/EtiquetaPulsable.h"
#include "comun/windows/Imagenes.h"
#include "comun/windows/ListaDeTextos.h"
#include "comun/windows/Nombrar.h"
#include "comun/windows/Twips.h"
#include "frontend/logic/InformacionJuego.h"
#include "frontend/logic/ListaDeJuegos.h"
#include "frontend/logic/UsoDelCatalogo.h"
#include "frontend/windows/DelegadoDeJuegos.h"
#include "frontend/windows/frmInformacion.h"
#include "frontend/windows/MenuDeClasificacion.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QShortcut>

#include <algorithm>
#include <iterator>

namespace Corvala {

VistaDeJuegos::VistaDeJuegos(Sesion &sesion, QWidget *parent)
    : QWidget(parent)
    , m_sesion(sesion)
{
    m_filtro.PonerModelo(&m_modelo);
    lstJuegos = ListaDeTextos(this, &m_filtro, rect());
    m_delegado = new DelegadoDeJuegos(lstJuegos);
    m_delegado->PonerNombres([this](const QModelIndex &indice) {
        const int fila = m_filtro.FilaDe(indice);
        return fila < 0 ? QStringList() : m_modelo.NombresDeImagen(fila);
    });
    lstJuegos->setItemDelegate(m_delegado);
    connect(&m_extras, &ExtrasDeLaSesion::leidos, this, [this] {
        m_delegado->PonerImagenes(m_extras.Actuales().imagenes);
        MantenerEleccion(
                [this] { m_modelo.PonerClasificacion(m_extras.Actuales().clasificacion); });
        lstJuegos->viewport()->update();
        Q_EMIT extrasLeidos();
    });
    connect(lstJuegos, &QListView::doubleClicked, this, [this] { Q_EMIT lanzar(FilaElegida()); });
    // A click on the row already chosen refreshes the preview and the status as a new one.
    connect(lstJuegos, &QListView::clicked, this, &VistaDeJuegos::Elegida);
    connect(lstJuegos->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &VistaDeJuegos::Elegida);
    lstJuegos->installEventFilter(this);

    txtBuscar = new QLineEdit(this);
    txtBuscar->setFont(Twips::Fuente(8.25));
    txtBuscar->setPlaceholderText(QStringLiteral("Buscar juego"));
    txtBuscar->setToolTip(
            QStringLiteral("Escribe parte del nombre del juego o del archivo. Intro carga la ROM "
                           "elegida, Escape cierra la búsqueda."));
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

    lblFiltros = new EtiquetaPulsable(QString(), this);
    lblFiltros->setFont(Twips::Fuente(8.25));
    lblFiltros->setTextFormat(Qt::PlainText);
    lblFiltros->setAlignment(Qt::AlignCenter);
    lblFiltros->setAutoFillBackground(true);
    lblFiltros->setCursor(Imagenes::Mano());
    Colores::Colorear(lblFiltros, QPalette::Window, Colores::kBotonReposo);
    Colores::Colorear(lblFiltros, QPalette::WindowText, Colores::kNegro);
    lblFiltros->setToolTip(
            QStringLiteral("Haz clic aquí para quitar los filtros y la búsqueda y ver todos los "
                           "juegos."));
    lblFiltros->hide();
    connect(lblFiltros, &EtiquetaPulsable::clic, this, &VistaDeJuegos::QuitarFiltros);

    lblVacia = new QLabel(lstJuegos->viewport());
    lblVacia->setFont(Twips::Fuente(8.25));
    lblVacia->setTextFormat(Qt::PlainText);
    lblVacia->setAlignment(Qt::AlignCenter);
    lblVacia->setWordWrap(true);
    lblVacia->hide();
    for (const auto senal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(&m_filtro, senal, this, &VistaDeJuegos::ActualizarAvisos);
    connect(&m_filtro, &QAbstractItemModel::modelReset, this, &VistaDeJuegos::ActualizarAvisos);

    CrearMenu();
    Nombrar({{lstJuegos, "lstJuegos"},
             {txtBuscar, "txtBuscar"},
             {lblFiltros, "lblFiltros"},
             {lblVacia, "lblVacia"},
             {mnuLista, "mnuLista"},
             {mnuInformacion, "mnuInformacion"},
             {mnuFavorito, "mnuFavorito"},
             {mnuRecientes, "mnuRecientes"},
             {mnuFiltros[0], "mnuOcultarClones"},
             {mnuFiltros[1], "mnuSoloFuncionan"},
             {mnuFiltros[2], "mnuOcultarBios"},
             {mnuFiltros[3], "mnuSoloFavoritos"},
             {mnuFiltros[4], "mnuSoloJugables"}});
}

void VistaDeJuegos::CrearMenu()
{
    mnuLista = new QMenu(this);
    mnuInformacion = mnuLista->addAction(QStringLiteral("Información del juego"), this,
                                         &VistaDeJuegos::mnuInformacion_Click);
    mnuFavorito = mnuLista->addAction(QStringLiteral("Añadir a favoritos"), this,
                                      &VistaDeJuegos::mnuFavorito_Click);
    mnuRecientes = mnuLista->addMenu(QStringLiteral("Jugados recientemente"));
    mnuLista->addSeparator();
    for (size_t f = 0; f < mnuFiltros.size(); ++f) {
        QAction *accion = mnuLista->addAction(QString::fromUtf8(kFiltrosConNombre[f].nombre));
        accion->setCheckable(true);
        connect(accion, &QAction::triggered, this,
                [this, filtro = kFiltrosConNombre[f].filtro](bool marcado) {
                    CambiarFiltro(filtro, marcado);
                });
        mnuFiltros[f] = accion;
    }
    m_menuClasificacion = new MenuDeClasificacion(mnuLista);
    connect(m_menuClasificacion, &MenuDeClasificacion::categoriaElegida, this,
            [this](const QString &categoria) {
                if (m_sesion.ocupado)
                    return;
                m_jugador.filtros.categoria = categoria;
                AplicarFiltros();
            });
    connect(m_menuClasificacion, &MenuDeClasificacion::jugadoresElegidos, this, [this](int n) {
        if (m_sesion.ocupado)
            return;
        m_jugador.filtros.jugadores = n;
        AplicarFiltros();
    });
    // A filter that cannot be chosen says why.
    mnuLista->setToolTipsVisible(true);
    connect(mnuLista, &QMenu::aboutToShow, this, &VistaDeJuegos::ActualizarMenu);
    lstJuegos->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lstJuegos, &QWidget::customContextMenuRequested, this, &VistaDeJuegos::MostrarMenu);
}

void VistaDeJuegos::MostrarMenu(const QPoint &punto)
{
    if (m_sesion.ocupado)
        return;
    // The menu speaks of the row under the pointer.
    const QModelIndex indice = lstJuegos->indexAt(punto);
    if (indice.isValid())
        lstJuegos->setCurrentIndex(indice);
    mnuLista->popup(lstJuegos->viewport()->mapToGlobal(punto));
}

void VistaDeJuegos::ActualizarMenu()
{
    const UsoDelCatalogo::Menu menu = UsoDelCatalogo::EstadoDelMenu(
            m_modelo, FilaElegida(), m_jugador, m_sesion.catalogo != nullptr);
    mnuInformacion->setEnabled(menu.informacion);
    mnuFavorito->setEnabled(menu.favorito);
    mnuFavorito->setText(menu.esFavorito ? QStringLiteral("Quitar de favoritos")
                                         : QStringLiteral("Añadir a favoritos"));
    mnuRecientes->clear();
    for (const auto &[titulo, fila] : menu.recientes)
        mnuRecientes->addAction(titulo, this, [this, fila = fila] { Q_EMIT lanzar(fila); });
    mnuRecientes->setEnabled(!menu.recientes.isEmpty());

    const QString sinCatalogo = UsoDelCatalogo::PorQueSinCatalogo(m_sesion, m_construyendose());
    for (size_t f = 0; f < mnuFiltros.size(); ++f) {
        const bool disponible = !kFiltrosConNombre[f].necesitaCatalogo || menu.filtrosDelCatalogo;
        mnuFiltros[f]->setChecked(m_jugador.filtros.*kFiltrosConNombre[f].filtro);
        mnuFiltros[f]->setEnabled(disponible);
        mnuFiltros[f]->setToolTip(disponible ? QString() : sinCatalogo);
    }
    QSet<int> jugadores;
    for (int fila = 0; fila < m_modelo.Cantidad(); ++fila)
        jugadores.insert(m_modelo.Fila(fila).jugadores);
    m_menuClasificacion->Actualizar(m_extras.Actuales().clasificacion, jugadores,
                                    m_jugador.filtros.categoria, m_jugador.filtros.jugadores);
}

void VistaDeJuegos::CambiarFiltro(bool Filtros::*filtro, bool valor)
{
    if (m_sesion.ocupado)
        return;
    m_jugador.filtros.Poner(filtro, valor);
    AplicarFiltros();
}

void VistaDeJuegos::AplicarFiltros()
{
    GuardarJugador();
    MantenerEleccion([this] { m_filtro.PonerFiltros(m_jugador.filtros); });
}

void VistaDeJuegos::GuardarJugador()
{
    // A CD-ROM or a read-only folder keeps nothing: the player's choices last while Corvala
    // runs (the player was told at start-up).
    if (!m_sesion.Escribe())
        return;
    const Resultado guardado = m_jugador.Guardar(m_sesion.carpeta);
    if (guardado)
        return;
    qCWarning(lcJugador) << "jugador.txt:" << guardado.Motivo();
    // A file that could not be read was told of at start-up: the session keeps its changes.
    if (!m_jugador.Ilegible().isEmpty())
        return;
    Mensajes::Mostrar({QStringLiteral("No se han podido guardar los filtros, los favoritos y las "
                                      "partidas en el archivo 'jugador.txt'. Comprueba que la "
                                      "carpeta de M.A.M.E no sea de sólo lectura y que quede "
                                      "espacio en el disco."),
                       QStringLiteral("Error."), Mensaje::Icono::Exclamacion,
                       Mensaje::Botones::Aceptar});
}

void VistaDeJuegos::mnuFavorito_Click()
{
    const int fila = FilaElegida();
    if (m_sesion.ocupado || fila < 0 || m_modelo.Fila(fila).desconocida)
        return;
    const QString juego = m_modelo.Fila(fila).juego;
    m_jugador.Favorito(juego, !m_jugador.EsFavorito(juego));
    GuardarJugador();
    MantenerEleccion([this] { m_modelo.PonerFavoritos(m_jugador); });
}

void VistaDeJuegos::mnuInformacion_Click()
{
    const int fila = FilaElegida();
    if (m_sesion.ocupado || fila < 0)
        return;
    const JuegoDeLista &juego = m_modelo.Fila(fila);
    const QList<QPair<QString, QString>> clasificacion
            = InformacionJuego::FilasDeClasificacion(juego, m_modelo.ClasificacionEnUso());
    const QString historia = m_extras.Historia(m_modelo.ClavesDeHistoria(fila));
    if (!juego.lista.isEmpty()) {
        frmInformacion ventana(
                InformacionJuego::Con(InformacionJuego::FilasDeSoftware(
                                              juego, m_modelo.SoftwareEnUso(),
                                              m_jugador.Historial(juego.juego), Parecido(juego)),
                                      clasificacion),
                this, InformacionJuego::Maquinas(m_modelo, fila), historia);
        const QString lista = juego.lista;
        if (ventana.exec() == QDialog::Accepted && !ventana.MaquinaElegida().isEmpty()
            && ventana.MaquinaElegida() != juego.sistema) {
            m_jugador.ElegirSistema(lista, ventana.MaquinaElegida());
            GuardarJugador();
            MantenerEleccion([this] { m_modelo.PonerFavoritos(m_jugador); });
        }
        return;
    }
    frmInformacion(
            InformacionJuego::Con(
                    InformacionJuego::Filas(
                            juego.titulo, InformacionJuego::TextoDeArchivo(juego, FormasDe(juego)),
                            juego.maquina, m_sesion.catalogo.get(),
                            juego.desconocida ? Jugado() : m_jugador.Historial(juego.juego),
                            juego.favorito, Parecido(juego),
                            InformacionJuego::ValorDeJugable(juego)),
                    clasificacion),
            this, {}, historia)
            .exec();
}

const Candidato *VistaDeJuegos::Parecido(const JuegoDeLista &juego) const
{
    if (juego.lista.isEmpty())
        return m_parecidos.Primero(juego.archivo);
    const ResultadoAuditoriaSoftware *auditoria = m_modelo.AuditoriaSoftwareEnUso();
    if (!auditoria)
        return nullptr;
    const auto parecido = auditoria->parecidos.constFind(juego.archivo);
    return parecido == auditoria->parecidos.cend() ? nullptr : &*parecido;
}

void VistaDeJuegos::PonerAuditoriaSoftware(
        std::shared_ptr<const ResultadoAuditoriaSoftware> auditoria)
{
    MantenerEleccion([this, &auditoria] { m_modelo.PonerAuditoriaSoftware(std::move(auditoria)); });
    if (const int fila = FilaElegida(); fila >= 0)
        PonerAyuda(fila);
}

void VistaDeJuegos::LeerJugador()
{
    m_jugador = DatosDelJugador::Leer(m_sesion.carpeta);
    if (!m_jugador.Ilegible().isEmpty()) {
        qCWarning(lcJugador) << "jugador.txt cannot be read:" << m_jugador.Ilegible();
        Mensajes::Mostrar(DatosDelJugador::MensajeIlegible(m_jugador.Ilegible()));
    }
    m_modelo.PonerFavoritos(m_jugador);
    m_filtro.PonerFiltros(m_jugador.filtros);
}

void VistaDeJuegos::Mostrar(const ListaCargada &lista)
{
    m_modelo.Cargar(lista, m_sesion.catalogo, m_jugador);
    IdentificarDesconocidas();
    // What players keep is looked at again with every load, once the rows are shown.
    if (!m_sesion.carpeta.Ruta().isEmpty())
        m_extras.Leer(m_sesion.carpeta);
}

void VistaDeJuegos::PonerAuditoria(std::shared_ptr<const ResultadoAuditoria> auditoria)
{
    QVector<int> traslado;
    MantenerEleccion(
            [this, &auditoria, &traslado] {
                traslado = m_modelo.PonerAuditoria(std::move(auditoria));
                m_modelo.PonerFavoritos(m_jugador);
            },
            [&traslado](int fila) { return traslado.value(fila, -1); });
    if (const int fila = FilaElegida(); fila >= 0)
        PonerAyuda(fila);
}

void VistaDeJuegos::CatalogoCambiado()
{
    MantenerEleccion([this] { m_modelo.PonerCatalogo(m_sesion.catalogo); });
    IdentificarDesconocidas();
    // A new catalogue takes corvala.db's place, and the history's index with it.
    m_extras.Leer(m_sesion.carpeta);
}

void VistaDeJuegos::IdentificarDesconocidas()
{
    QStringList desconocidas;
    for (int fila = 0; fila < m_modelo.Cantidad(); ++fila) {
        // The software's unknown archives are looked for in their lists by the audit.
        if (m_modelo.Fila(fila).desconocida && m_modelo.Fila(fila).lista.isEmpty())
            desconocidas << m_modelo.Fila(fila).archivo;
    }
    m_parecidos.Iniciar(m_sesion.catalogo, m_sesion.carpeta.Ruta(QStringLiteral("roms")),
                        desconocidas);
}

void VistaDeJuegos::AnotarPartida(int fila)
{
    if (!m_modelo.Valida(fila))
        return;
    m_jugador.Jugar(m_modelo.Fila(fila).juego, QDateTime::currentDateTime());
    GuardarJugador();
}

void VistaDeJuegos::Renombrar(int fila, const QString &archivo)
{
    m_modelo.Renombrar(fila, archivo);
}

int VistaDeJuegos::FilaElegida() const
{
    const QModelIndexList filas = lstJuegos->selectionModel()->selectedRows();
    return filas.isEmpty() ? -1 : m_filtro.FilaDe(filas.first());
}

void VistaDeJuegos::ElegirFila(int fila)
{
    const QModelIndex indice = m_filtro.Visible(fila);
    if (!indice.isValid())
        return;
    lstJuegos->setCurrentIndex(indice);
    lstJuegos->selectionModel()->select(indice, QItemSelectionModel::ClearAndSelect);
    lstJuegos->scrollTo(indice);
}

void VistaDeJuegos::Elegida()
{
    if (m_sesion.ocupado)
        return;
    const int fila = FilaElegida();
    if (fila < 0)
        return;
    PonerAyuda(fila);
    Q_EMIT elegida(fila);
}

QStringList VistaDeJuegos::FormasDe(const JuegoDeLista &juego) const
{
    return ArchivosDeCarpeta::Formas(m_sesion.carpeta.Ruta(QStringLiteral("roms")),
                                     QuitarExtension(juego.archivo));
}

void VistaDeJuegos::PonerAyuda(int fila)
{
    const JuegoDeLista &juego = m_modelo.Fila(fila);
    // The whole title first: the list may have to shorten it.
    QString ayuda = ArchivoTexto::Visible(juego.titulo) + QLatin1Char('\n')
                    + QStringLiteral("Nombre del archivo zip de la ROM: \"%1\"")
                              .arg(ArchivoTexto::Visible(juego.archivo));
    // Only the archives the emulator does not know are identified.
    for (const QString &linea :
         {InformacionJuego::LineaDeFormas(FormasDe(juego)), InformacionJuego::LineaDeOrigen(juego),
          juego.lista.isEmpty()
                  ? InformacionJuego::LineaDeAyuda(juego.maquina, m_sesion.catalogo.get())
                  : InformacionJuego::LineaDeSoftware(juego, m_modelo.SoftwareEnUso(),
                                                      m_sesion.catalogo.get()),
          InformacionJuego::LineaDeClasificacion(juego), InformacionJuego::LineaDeJugable(juego),
          Identificacion::LineaDeParecido(Parecido(juego))}) {
        if (!linea.isEmpty())
            ayuda += QLatin1Char('\n') + linea;
    }
    lstJuegos->setToolTip(ayuda);
}

void VistaDeJuegos::MantenerEleccion(const std::function<void()> &cambio,
                                     const std::function<int(int)> &traslado)
{
    int fila = FilaElegida();
    cambio();
    if (traslado && fila >= 0)
        fila = traslado(fila);
    ActualizarAvisos();
    // Nothing chosen stays so, but in a search.
    if (fila < 0 && txtBuscar->isHidden())
        return;
    if (m_filtro.Visible(fila).isValid()) {
        ElegirFila(fila);
    } else if (m_filtro.rowCount() > 0) {
        ElegirFila(m_filtro.FilaDe(m_filtro.index(0, 0)));
    }
}

void VistaDeJuegos::AbrirBusqueda(const QString &texto)
{
    if (m_sesion.ocupado)
        return;
    txtBuscar->show();
    txtBuscar->raise();
    ColocarAvisos();
    txtBuscar->setFocus();
    if (texto != txtBuscar->text()) {
        txtBuscar->setText(texto);
        MantenerEleccion([this, texto] { m_filtro.Buscar(texto); });
    }
}

void VistaDeJuegos::MoverEleccion(int filas, bool paginas)
{
    const int visibles = m_filtro.rowCount();
    if (m_sesion.ocupado || visibles == 0)
        return;
    if (paginas) {
        const int alto = std::max(1, lstJuegos->sizeHintForRow(0));
        filas *= std::max(1, lstJuegos->viewport()->height() / alto - 1);
    }
    const QModelIndex actual = lstJuegos->currentIndex();
    const int desde = actual.isValid() ? actual.row() : (filas > 0 ? -1 : visibles);
    const int hasta = std::clamp(desde + filas, 0, visibles - 1);
    ElegirFila(m_filtro.FilaDe(m_filtro.index(hasta, 0)));
    Elegida();
}

void VistaDeJuegos::CerrarBusqueda()
{
    const int fila = FilaElegida();
    txtBuscar->hide();
    txtBuscar->clear();
    m_filtro.Buscar(QString());
    ActualizarAvisos();
    if (fila >= 0)
        ElegirFila(fila);
    lstJuegos->setFocus();
}

bool VistaDeJuegos::eventFilter(QObject *objeto, QEvent *evento)
{
    if (evento->type() != QEvent::KeyPress || (objeto != txtBuscar && objeto != lstJuegos))
        return QWidget::eventFilter(objeto, evento);
    const auto *teclaPulsada = static_cast<QKeyEvent *>(evento);
    const int tecla = teclaPulsada->key();
    if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
        Q_EMIT lanzar(FilaElegida());
        return true;
    }
    if (objeto == txtBuscar) {
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
        return QWidget::eventFilter(objeto, evento);
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
    return QWidget::eventFilter(objeto, evento);
}

void VistaDeJuegos::resizeEvent(QResizeEvent *evento)
{
    QWidget::resizeEvent(evento);
    lstJuegos->setGeometry(rect());
    ColocarAvisos();
}

void VistaDeJuegos::ColocarAvisos()
{
    // Over the list's bottom edge, inside its frame: the search field, and the strip above it.
    int abajo = height() - 1;
    const int alto = txtBuscar->sizeHint().height();
    txtBuscar->setGeometry(1, abajo - alto, width() - 2, alto);
    if (!txtBuscar->isHidden())
        abajo -= alto;
    // Shortened in its middle when the list is too narrow for it: the count stays in sight.
    lblFiltros->setText(lblFiltros->fontMetrics().elidedText(m_filtro.Resumen(), Qt::ElideMiddle,
                                                             width() - 10));
    const int altoFranja = lblFiltros->sizeHint().height() + 2;
    lblFiltros->setGeometry(1, abajo - altoFranja, width() - 2, altoFranja);
    lblVacia->setGeometry(lstJuegos->viewport()->rect().adjusted(8, 8, -8, -8));
}

void VistaDeJuegos::ActualizarAvisos()
{
    const QString resumen = m_filtro.Resumen();
    lblFiltros->setVisible(!resumen.isEmpty());
    lblFiltros->raise();
    const QString vacia = m_filtro.PorQueVacia();
    lblVacia->setText(vacia);
    lblVacia->setVisible(!vacia.isEmpty());
    ColocarAvisos();
}

void VistaDeJuegos::QuitarFiltros()
{
    if (m_sesion.ocupado)
        return;
    if (m_jugador.filtros.Alguno()) {
        m_jugador.filtros = Filtros();
        GuardarJugador();
        MantenerEleccion([this] { m_filtro.PonerFiltros(m_jugador.filtros); });
    }
    if (!txtBuscar->isHidden())
        CerrarBusqueda();
}

} // namespace Corvala
