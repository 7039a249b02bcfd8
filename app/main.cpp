#include "shell/main_window.h"
#include "shell/qt_services.h"
#include "shell/russian_translation.h"
#include "shell/ui_font.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(Glyphery::applicationTitle());
    QApplication::setOrganizationName(Glyphery::applicationTitle());
    QApplication::setFont(Glyphery::uiFont());
    QApplication::setWindowIcon(Glyphery::programIcon());

    QTranslator qtRussian;
    if (Glyphery::loadQtRussian(qtRussian))
        QApplication::installTranslator(&qtRussian);

    Glyphery::QtServices services;
    Glyphery::MainWindow window(services);
    services.setParentWindow(&window);
    window.show();
    return QApplication::exec();
}
