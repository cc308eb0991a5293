#include "frontend/windows/DelegadoDeJuegos.h"

#include "comun/windows/Colores.h"
#include "extras/logic/AlmacenDeImagenes.h"
#include "frontend/logic/ModeloDeJuegos.h"

#include <QImage>

namespace Corvala {

namespace {

constexpr int kLadoDelIcono = 16;

} // namespace

void DelegadoDeJuegos::PonerImagenes(std::shared_ptr<const AlmacenDeImagenes> imagenes)
{
    m_imagenes = imagenes && imagenes->Hay(TipoDeImagen::Icono) ? std::move(imagenes) : nullptr;
    m_iconos.clear();
}

QPixmap DelegadoDeJuegos::Icono(const QModelIndex &indice) const
{
    const QStringList nombres = m_nombres ? m_nombres(indice) : QStringList();
    if (nombres.isEmpty())
        return {};
    if (const QPixmap *hecho = m_iconos.object(nombres.first()))
        return *hecho;
    QPixmap icono;
    for (const QString &nombre : nombres) {
        const bool hallado = m_imagenes->Buscar(
                TipoDeImagen::Icono, nombre, [&icono](const QByteArray &bytes) {
                    const QImage imagen = QImage::fromData(bytes);
                    if (imagen.isNull())
                        return false;
                    icono = QPixmap::fromImage(imagen.scaled(kLadoDelIcono, kLadoDelIcono,
                                                             Qt::KeepAspectRatio,
                                                             Qt::SmoothTransformation));
                    return true;
                });
        if (hallado)
            break;
    }
    m_iconos.insert(nombres.first(), new QPixmap(icono));
    return icono;
}

void DelegadoDeJuegos::initStyleOption(QStyleOptionViewItem *opcion,
                                       const QModelIndex &indice) const
{
    QStyledItemDelegate::initStyleOption(opcion, indice);
    if (m_imagenes) {
        // Every row keeps the icon's room, so that the titles stay in line.
        if (m_vacio.isNull()) {
            QPixmap nada(kLadoDelIcono, kLadoDelIcono);
            nada.fill(Qt::transparent);
            m_vacio = QIcon(nada);
        }
        const QPixmap icono = Icono(indice);
        opcion->icon = icono.isNull() ? m_vacio : QIcon(icono);
        opcion->decorationSize = QSize(kLadoDelIcono, kLadoDelIcono);
        opcion->features |= QStyleOptionViewItem::HasDecoration;
    }
    // A game the audit found cannot run is drawn apart, in grey.
    if (indice.data(ModeloDeJuegos::kRolNoJugable).toBool()) {
        opcion->palette.setColor(QPalette::Text, QColor(Colores::kGris));
        opcion->palette.setColor(QPalette::HighlightedText, QColor(Colores::kBotonPulsado));
    }
    if (!indice.data(ModeloDeJuegos::kRolFavorito).toBool())
        return;
    opcion->text = QStringLiteral("★ ") + opcion->text;
    opcion->font.setBold(true);
}

} // namespace Corvala
