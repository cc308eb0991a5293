#include "frontend/windows/frmInformacion.h"

#include "comun/windows/BotonEtiqueta.h"
#include "comun/windows/Colores.h"
#include "comun/windows/Etiqueta.h"
#include "comun/windows/Twips.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>

#include <algorithm>

namespace Corvala {

frmInformacion::frmInformacion(const QList<QPair<QString, QString>> &filas, QWidget *parent,
                               const QList<QPair<QString, QString>> &maquinas,
                               const QString &historia)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(QStringLiteral("Información del juego"));
    setAutoFillBackground(true);
    Colores::Colorear(this, QPalette::Window, Colores::kFondoVentana);
    const int alto = 255;
    // A label longer than its column ("Añadido en la versión:") widens it, and the window.
    int anchoEtiquetas = 0;
    for (const auto &fila : filas)
        anchoEtiquetas
                = std::max(anchoEtiquetas,
                           QFontMetrics(Twips::Fuente(8.25, true)).horizontalAdvance(fila.first));
    const int mas = std::max(0, Twips::DesdePx(anchoEtiquetas + 2) - 1095);
    int y = 120;
    int k = 0;
    for (const auto &[etiqueta, valor] : filas) {
        QLabel *nombre = Etiqueta(this, etiqueta, Twips::Rect(120, y, 1095 + mas, alto),
                                  Colores::kBlanco, true);
        nombre->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QLabel *texto
                = Etiqueta(this, valor, Twips::Rect(1305 + mas, y, 4200, alto), Colores::kBlanco);
        texto->setTextInteractionFlags(Qt::TextSelectableByMouse);
        texto->setToolTip(valor);
        nombre->setObjectName(QStringLiteral("lblCampo(%1)").arg(k));
        texto->setObjectName(QStringLiteral("lblValor(%1)").arg(k));
        y += alto + 45;
        ++k;
    }
    if (!maquinas.isEmpty()) {
        QLabel *nombre
                = Etiqueta(this, QStringLiteral("Máquina:"),
                           Twips::Rect(120, y, 1095 + mas, alto + 60), Colores::kBlanco, true);
        nombre->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        cboMaquina = new QComboBox(this);
        cboMaquina->setObjectName(QStringLiteral("cboMaquina"));
        cboMaquina->setGeometry(Twips::Rect(1305 + mas, y, 4200, alto + 60));
        for (const auto &[maquina, texto] : maquinas)
            cboMaquina->addItem(texto, maquina);
        cboMaquina->setToolTip(QStringLiteral("La máquina del emulador con la que se carga."));
        y += alto + 60 + 45;
    }
    if (!historia.isEmpty()) {
        QLabel *nombre = Etiqueta(this, QStringLiteral("Historia:"),
                                  Twips::Rect(120, y, 1095, alto), Colores::kBlanco, true);
        nombre->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        y += alto;
        auto *texto = new QPlainTextEdit(historia, this);
        texto->setObjectName(QStringLiteral("txtHistoria"));
        texto->setReadOnly(true);
        texto->setFont(Twips::Fuente(8.25));
        texto->setGeometry(Twips::Rect(120, y, 5385 + mas, 3600));
        y += 3600;
    }
    lblAceptar = BotonEtiqueta::Negrita(QStringLiteral("Aceptar"), this,
                                        Twips::Rect(4485 + mas, y + 60, 1020, alto));
    lblAceptar->setObjectName(QStringLiteral("lblAceptar"));
    connect(lblAceptar, &BotonEtiqueta::clic, this, &QDialog::accept);
    // Enter presses it.
    lblAceptar->setFocus();
    setFixedSize(Twips::Tamano(5625 + mas, y + 60 + alto + 120));
}

QString frmInformacion::MaquinaElegida() const
{
    return cboMaquina ? cboMaquina->currentData().toString() : QString();
}

} // namespace Corvala
