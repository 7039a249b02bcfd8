// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/application.h"

#include "font/platform_services.h"
#include "shell/russian_qt.h"
#include "shell/ui_font.h"

#include <QApplication>
#include <QIcon>

using namespace Qt::Literals::StringLiterals;

static void initGlypheryResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace Glyphery {

void setUpApplication()
{
    initGlypheryResources();
    QApplication::setApplicationName(applicationTitle());
    QApplication::setOrganizationName(applicationTitle());
    // The menu entry's name, by which desktops match the windows to it.
    QGuiApplication::setDesktopFileName(u"invalid.glyphery.glyphery"_s);
    QApplication::setFont(uiFont());
    // No size is given: addFile then reads each picture's own size and adds its name@2x.png
    // too (when any screen's device pixel ratio is above 1). Given a size, Qt 6.4 files the
    // @2x picture under that size and shrinks it for ratio 1.
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(u":/icons/glyphery-%1.png"_s.arg(size));
    QApplication::setWindowIcon(icon);
    auto *qtRussian = new QTranslator(qApp);
    if (loadQtRussian(*qtRussian))
        QApplication::installTranslator(qtRussian);
}

} // namespace Glyphery
