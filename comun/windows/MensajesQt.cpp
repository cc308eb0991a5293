#include "comun/windows/MensajesQt.h"

#include "comun/logic/Mensajes.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <QVBoxLayout>

#include <algorithm>

namespace Corvala::MensajesQt {

namespace {

QMessageBox::Icon Icono(Mensaje::Icono icono)
{
    switch (icono) {
    case Mensaje::Icono::Critico:
        return QMessageBox::Critical;
    case Mensaje::Icono::Informacion:
        return QMessageBox::Information;
    case Mensaje::Icono::Exclamacion:
        return QMessageBox::Warning;
    case Mensaje::Icono::Ninguno:
        break;
    }
    return QMessageBox::NoIcon;
}

// A text too long for a box on this screen (a game's log): shown in a box of its own that
// never grows past the screen, scrolls, and opens at the text's end, where the emulator puts
// its error.
void MostrarLargo(const Mensaje &mensaje, const QString &texto, QWidget *padre)
{
    QDialog caja(padre);
    caja.setWindowTitle(mensaje.titulo);
    auto *capas = new QVBoxLayout(&caja);
    auto *visor = new QPlainTextEdit(texto, &caja);
    visor->setObjectName(QStringLiteral("visor"));
    visor->setReadOnly(true);
    visor->setLineWrapMode(QPlainTextEdit::NoWrap);
    capas->addWidget(visor);
    auto *botones = new QDialogButtonBox(&caja);
    botones->addButton(QStringLiteral("Aceptar"), QDialogButtonBox::AcceptRole);
    QObject::connect(botones, &QDialogButtonBox::accepted, &caja, &QDialog::accept);
    capas->addWidget(botones);
    const QRect pantalla
            = (padre ? padre->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    caja.resize(std::min(pantalla.width() * 3 / 4, 800), pantalla.height() * 3 / 4);
    visor->moveCursor(QTextCursor::End);
    visor->ensureCursorVisible();
    caja.exec();
}

Respuesta Mostrar(const Mensaje &mensaje)
{
    QWidget *padre = QApplication::activeModalWidget();
    if (!padre)
        padre = QApplication::activeWindow();
    QString texto = mensaje.texto;
    texto.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const bool pregunta = mensaje.botones == Mensaje::Botones::SiNo;
    const QRect pantalla
            = (padre ? padre->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    const int alto = QFontMetrics(QApplication::font()).lineSpacing()
                     * int(texto.count(QLatin1Char('\n')) + 1);
    if (!pregunta && alto > pantalla.height() / 2) {
        MostrarLargo(mensaje, texto, padre);
        return Respuesta::Aceptar;
    }
    QMessageBox caja(Icono(mensaje.icono), mensaje.titulo, texto,
                     pregunta ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, padre);
    caja.setTextFormat(Qt::PlainText);
    // Wide enough for its title, which the window manager would otherwise shorten.
    if (auto *rejilla = qobject_cast<QGridLayout *>(caja.layout())) {
        const int ancho
                = QFontMetrics(QApplication::font()).horizontalAdvance(mensaje.titulo) * 3 / 2
                  + 120;
        rejilla->addItem(new QSpacerItem(ancho, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                         rejilla->rowCount(), 0, 1, rejilla->columnCount());
    }
    // The buttons speak Spanish too, whatever the system's language.
    if (pregunta) {
        caja.button(QMessageBox::Yes)->setText(QStringLiteral("Sí"));
        caja.button(QMessageBox::No)->setText(QStringLiteral("No"));
    } else {
        caja.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
    }
    const int boton = caja.exec();
    if (!pregunta)
        return Respuesta::Aceptar;
    return boton == QMessageBox::Yes ? Respuesta::Si : Respuesta::No;
}

} // namespace

void Instalar()
{
    Mensajes::Instalar(&Mostrar);
}

} // namespace Corvala::MensajesQt
