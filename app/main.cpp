#include "shell/main_window.h"
#include "shell/qt_services.h"
#include "shell/ui_font.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(Glyphery::applicationTitle());
    QApplication::setOrganizationName(Glyphery::applicationTitle());
    QApplication::setFont(Glyphery::uiFont());

    // The interface is Russian whatever the system locale, Qt's own buttons included.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Russian), u"qtbase"_s, u"_"_s,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    Glyphery::QtServices services;
    Glyphery::MainWindow window(services);
    services.setParentWindow(&window);
    window.show();
    return QApplication::exec();
}
