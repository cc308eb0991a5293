#include "comun/logic/TextosDeQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Corvala {

bool CargarTextosDeQt()
{
    static QTranslator *traductor = nullptr;
    if (traductor)
        return true;
    auto *nuevo = new QTranslator(QCoreApplication::instance());
    if (!nuevo->load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete nuevo;
        return false;
    }
    QCoreApplication::installTranslator(nuevo);
    traductor = nuevo;
    return true;
}

} // namespace Corvala
