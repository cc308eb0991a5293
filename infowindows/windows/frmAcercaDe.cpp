#include "infowindows/windows/frmAcercaDe.h"

#include "comun/windows/AbrirConElSistema.h"
#include "comun/windows/BotonEtiqueta.h"
#include "comun/windows/Colores.h"
#include "comun/windows/Etiqueta.h"
#include "comun/windows/Imagenes.h"
#include "comun/windows/Lineas.h"
#include "comun/windows/Nombrar.h"
#include "comun/windows/Twips.h"
#include "infowindows/logic/DatosDeCorvala.h"
#include "infowindows/windows/frmHistorial.h"
#include "infowindows/windows/Informacion.h"

namespace Corvala {

namespace {

// Where each link leads.
const char *const kDireccion = "direccion";

} // namespace

QSize frmAcercaDe::TamanoDeDiseno()
{
    return Twips::Tamano(5520, 3255);
}

frmAcercaDe::frmAcercaDe(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    Informacion::PrepararVentana(this, QStringLiteral("Acerca de...  ¡El Corvala!"),
                                 TamanoDeDiseno());

    using Colores::kBlanco;
    using Colores::kTurquesa;
    Label12 = Etiqueta(this, QStringLiteral("Página multitud de ROMs (Español)"),
                       Twips::Rect(2550, 2145, 2670, 255), kBlanco);
    Label11 = Etiqueta(this, QStringLiteral("Página con todas las ROMs (inglés)"),
                       Twips::Rect(1440, 2385, 2670, 255), kBlanco);
    Label11->hide();
    Label10 = Etiqueta(this, QStringLiteral("Página oficial (inglés)"),
                       Twips::Rect(1500, 1875, 1845, 255), kBlanco);
    Label4 = Etiqueta(this, QStringLiteral("Páginas de interés:"),
                      Twips::Rect(135, 1590, 1845, 255), kBlanco, true);

    const DatosDeCorvala::Enlace espanol = DatosDeCorvala::PaginaEspanol();
    const DatosDeCorvala::Enlace oficial = DatosDeCorvala::PaginaOficial();
    const DatosDeCorvala::Enlace ingles = DatosDeCorvala::PaginaIngles();
    lblWebEspanol = Enlace(espanol.texto, Twips::Rect(330, 2130, 2730, 255));
    lblWebEspanol->setProperty(kDireccion, espanol.direccion);
    // Its box runs under the caption beside it: the address keeps clear of that caption.
    Twips::EncajarTexto(lblWebEspanol, espanol.texto,
                        lblWebEspanol->width() - Twips::Px(2550 - 330));
    lblMame = Enlace(oficial.texto, Twips::Rect(330, 1875, 1200, 255));
    lblMame->setProperty(kDireccion, oficial.direccion);
    lblWebIngles = Enlace(ingles.texto, Twips::Rect(330, 2385, 1110, 255));
    lblWebIngles->setProperty(kDireccion, ingles.direccion);
    lblWebIngles->hide();

    lblSalir[0] = BotonEtiqueta::Negrita(QStringLiteral("Notas de las versiones"), this,
                                         Twips::Rect(2445, 2865, 2280, 255));
    Label6 = Etiqueta(this, DatosDeCorvala::Version(), Twips::Rect(360, 675, 1020, 255), kTurquesa);
    Label5 = Etiqueta(this, QStringLiteral("Acerca de...  ¡El Corvala!"),
                      Twips::Rect(1440, 75, 2580, 255), kBlanco, true);
    lblSalir[1]
            = BotonEtiqueta::Negrita(QStringLiteral("OK"), this, Twips::Rect(4755, 2865, 630, 255));
    Imagen = new QLabel(this);
    Imagen->setGeometry(Twips::Rect(3960, 435, 1335, 750));
    Imagen->setScaledContents(true);
    Label3 = Etiqueta(this, DatosDeCorvala::Autor(), Twips::Rect(330, 1275, 2505, 255), kTurquesa);
    Label2 = Etiqueta(this, QStringLiteral("Creado por:"), Twips::Rect(135, 975, 1140, 255),
                      kBlanco, true);
    Label1 = Etiqueta(this, QStringLiteral("Versión:"), Twips::Rect(150, 375, 750, 255), kBlanco,
                      true);

    // Form_Load: the picture, and the hand over everything that can be clicked.
    Imagen->setPixmap(Informacion::ImagenAcercaDe());
    for (int i = 0; i < int(lblSalir.size()); ++i) {
        lblSalir[i]->setCursor(Imagenes::Mano());
        connect(lblSalir[i], &BotonEtiqueta::clic, this, [this, i] { lblSalir_Click(i); });
    }
    NombrarArreglo(lblSalir, "lblSalir");
    Nombrar({{Label12, "Label12"},
             {Label11, "Label11"},
             {Label10, "Label10"},
             {Label4, "Label4"},
             {lblWebEspanol, "lblWebEspanol"},
             {lblMame, "lblMame"},
             {lblWebIngles, "lblWebIngles"},
             {Label6, "Label6"},
             {Label5, "Label5"},
             {Imagen, "Imagen"},
             {Label3, "Label3"},
             {Label2, "Label2"},
             {Label1, "Label1"}});
}

QLabel *frmAcercaDe::Enlace(const QString &texto, const QRect &lugar)
{
    QLabel *enlace = Etiqueta(this, texto, lugar, Colores::kTurquesa);
    QFont fuente = enlace->font();
    fuente.setUnderline(true);
    enlace->setFont(fuente);
    enlace->setCursor(Imagenes::Mano());
    enlace->installEventFilter(this);
    return enlace;
}

void frmAcercaDe::lblSalir_Click(int index)
{
    if (index == 0)
        frmHistorial(this).exec();
    else if (index == 1)
        close();
}

bool frmAcercaDe::eventFilter(QObject *objeto, QEvent *evento)
{
    // A click on a link opens its page in the player's browser; the window stays open.
    const QVariant direccion = objeto->property(kDireccion);
    if (direccion.isValid() && evento->type() == QEvent::MouseButtonRelease) {
        if (EsClic(static_cast<QMouseEvent *>(evento), static_cast<QWidget *>(objeto)))
            AbrirConElSistema(QUrl(direccion.toString()));
        return true;
    }
    return QDialog::eventFilter(objeto, evento);
}

void frmAcercaDe::paintEvent(QPaintEvent *evento)
{
    QDialog::paintEvent(evento);
    Twips::DibujarLineas(this, {{15, 3180, 15, 0},        // Line4
                                {5490, 3225, 5490, 15},   // Line3
                                {0, 15, 5475, 15},        // Line2
                                {30, 3225, 5505, 3225}}); // Line1
}

} // namespace Corvala
