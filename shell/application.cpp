#include "shell/application.h"

#include "shell/platform_services.h"
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
    QApplication::setFont(uiFont());
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(u":/icons/glyphery-%1.png"_s.arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    auto *qtRussian = new QTranslator(qApp);
    if (loadQtRussian(*qtRussian))
        QApplication::installTranslator(qtRussian);
}

} // namespace Glyphery
