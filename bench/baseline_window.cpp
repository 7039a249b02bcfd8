// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the editor's start-up time and memory: a bare Qt main window with what
// every desktop program of its kind carries and nothing of the editor. It has the same menus
// with as many items, separators, check marks and shortcuts, the same toolbar of 16 icon
// buttons built the same way from the same pictures, the same window size, fonts and flags,
// and loads the same Qt translations. bench/measure_startup.sh compares the two.

#include "shell/ui_font.h"

#include <QAction>
#include <QApplication>
#include <QLayout>
#include <QLibraryInfo>
#include <QLocale>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

namespace {

// One menu: its title and its items in order: 'a' an item, 'k' an item with a Ctrl shortcut,
// 'c' a checkable item, '-' a separator.
struct MenuShape
{
    const char16_t *title;
    const char *items;
};

constexpr MenuShape Menus[] = {
    {u"&Файл", "kaa-aa-a"}, {u"&Правка", "kkk-aacac"}, {u"Символ", "aa-a-aa-aa-aaaa"},
    {u"Набор", "aa-aa"},    {u"Палитра", "aa-aa-aaa"}, {u"Инструменты", "a"},
    {u"&Справка", "a-a"},
};

constexpr const char *ToolbarPictures[] = {
    "new", "open", "save", "cut", "copy", "paste", "inv",   "mv",
    "mg",  "rr",   "rl",   "up",  "down", "left",  "right", "calc",
};

// Toolbar separators stand after the 3rd, 6th and 15th button, as in the editor.
bool separatorAfter(int button)
{
    return button == 2 || button == 5 || button == 14;
}

class BaselineWindow : public QMainWindow
{
public:
    BaselineWindow()
    {
        setWindowTitle(u"Glyphery baseline"_s);
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                       | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                       | Qt::WindowCloseButtonHint);
        QIcon icon;
        for (int size : {16, 32, 48})
            icon.addFile(u":/icons/glyphery-%1.png"_s.arg(size), QSize(size, size));
        setWindowIcon(icon);
        setFont(Glyphery::uiFont());

        auto *client = new QWidget(this);
        client->setFixedSize(789, 383);
        setCentralWidget(client);

        const Qt::Key keys[] = {Qt::Key_N, Qt::Key_X, Qt::Key_C, Qt::Key_V};
        int shortcut = 0;
        int item = 0;
        for (const MenuShape &shape : Menus) {
            QMenu *menu = menuBar()->addMenu(QString::fromUtf16(shape.title));
            for (const char *kind = shape.items; *kind; ++kind) {
                if (*kind == '-') {
                    menu->addSeparator();
                    continue;
                }
                QAction *action = menu->addAction(u"Пункт %1"_s.arg(++item));
                if (*kind == 'k')
                    action->setShortcut(QKeySequence(Qt::CTRL | keys[shortcut++]));
                action->setShortcutContext(Qt::WindowShortcut);
                action->setCheckable(*kind == 'c');
                connect(action, &QAction::triggered, this, [] {});
            }
        }

        auto *toolBar = new QToolBar(client);
        toolBar->setGeometry(0, 0, 789, 24);
        toolBar->setIconSize(QSize(16, 16));
        toolBar->setMovable(false);
        toolBar->setFloatable(false);
        toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        int button = 0;
        for (const char *picture : ToolbarPictures) {
            QAction *action = toolBar->addAction(
                QIcon(u":/toolbar/%1.png"_s.arg(QLatin1StringView(picture))), QString());
            action->setToolTip(QLatin1StringView(picture));
            connect(action, &QAction::triggered, this, [] {});
            if (separatorAfter(button++))
                toolBar->addSeparator();
        }
        layout()->setSizeConstraint(QLayout::SetFixedSize);
        move(67, 67);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Glyphery baseline"_s);
    QApplication::setOrganizationName(u"Glyphery"_s);
    QApplication::setFont(Glyphery::uiFont());

    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Russian), u"qtbase"_s, u"_"_s,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    BaselineWindow window;
    window.show();
    return QApplication::exec();
}
