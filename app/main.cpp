// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/application.h"
#include "shell/main_window.h"
#include "shell/qt_services.h"
#include "shell/russian_qt.h"
#include "shell/termination_signals.h"

#include <QApplication>

int main(int, char *argv[])
{
    Glyphery::endAtOnceOnTerminationSignals();
    Glyphery::useRussianLocale();
    // The program takes no arguments, and Qt's own (-reverse, -geometry, -style ...) must not
    // change it either: Qt sees the program's name only.
    int qtArgumentCount = 1;
    QApplication app(qtArgumentCount, argv);
    Glyphery::setUpApplication();

    Glyphery::QtServices services;
    Glyphery::MainWindow window(services);
    services.setParentWindow(&window);
    Glyphery::TerminationSignals termination(&window);
    window.show();
    const int status = QApplication::exec();
    services.saveSettings();
    return status;
}
