#include "comun/windows/MensajesQt.h"

#include "comun/logic/Mensajes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace Corvala::MensajesQt {

namespace {

QMessageBox::Icon Icono(Mensaje::Icono icono)
{
    switch (icono) {
    case Mensaje::Icono::Critico: return QMessageBox::Critical;
    case Mensaje::Icono::Informacion: return QMessageBox::Information;
    case Mensaje::Icono::Exclamacion: return QMessageBox::Warning;
    case Mensaje::Icono::Ninguno: break;
    }
    return QMessageBox::NoIcon;
}

Respuesta Mostrar(const Mensaje &mensaje)
{
    QWidget *padre = QApplication::activeModalWidget();
    if (!padre)
        padre = QApplication::activeWindow();
    QString texto = mensaje.texto;
    texto.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const bool pregunta = mensaje.botones == Mensaje::Botones::SiNo;
    QMessageBox caja(Icono(mensaje.icono), mensaje.titulo, texto,
                     pregunta ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, padre);
    caja.setTextFormat(Qt::PlainText);
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
