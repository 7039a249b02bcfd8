// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/main_window.h"

#include "editor/palette.h"
#include "operations/toolbar_routing.h"
#include "shell/calculator_window.h"
#include "shell/described_menu_item.h"
#include "shell/help_window.h"

#include <QAction>
#include <QCheckBox>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

QMenu *MainWindow::addMenu(const char *name, const QString &caption)
{
    QMenu *menu = menuBar()->addMenu(caption);
    menu->setObjectName(QLatin1StringView(name));
    menu->menuAction()->setObjectName(QLatin1StringView(name));
    menu->setAccessibleName(QString(caption).remove(u'&'));
    return menu;
}

// The action is the command: menu items, push buttons and toolbar buttons all end up here.
QAction *MainWindow::addCommand(QMenu *menu, const char *name, const QString &caption,
                                std::function<void()> run, const QKeySequence &shortcut)
{
    const QString key = QLatin1StringView(name);
    auto *action = menu->addAction(caption);
    action->setObjectName(key);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, std::move(run));
    m_actions.insert(key, action);
    return action;
}

void MainWindow::addSeparator(QMenu *menu, const char *name)
{
    menu->addSeparator()->setObjectName(QLatin1StringView(name));
}

void MainWindow::createMenus()
{
    menuBar()->setObjectName(u"menuBar"_s);
    menuBar()->setAccessibleName(u"Главное меню"_s);

    QMenu *file = addMenu("mnuFile", u"&Файл"_s);
    addCommand(
        file, "mnuFileNew", u"&Новый"_s, [this] { m_file.mnuFileNew(); },
        QKeySequence(Qt::CTRL | Qt::Key_N));
    addCommand(file, "mnuFileOpen", u"&Открыть..."_s, [this] { m_file.mnuFileOpen(); });
    addCommand(file, "gphload", u"Импорт из gph"_s, [this] { m_file.gphload(); });
    addSeparator(file, "mnuFileBar0");
    describeMenuItem(
        addCommand(file, "mnuFileSave", u"&Сохранить"_s, [this] { m_file.mnuFileSave(); }),
        u"Записать шрифт в файл"_s);
    addCommand(file, "mnuFileSaveAs", u"Сохранить &как..."_s, [this] { m_file.mnuFileSaveAs(); });
    addSeparator(file, "t9");
    addCommand(file, "mnuFileExit", u"&Выход"_s, [this] { close(); });

    QMenu *edit = addMenu("mnuedit", u"&Правка"_s);
    addCommand(
        edit, "mnuEditCut", u"&Вырезать"_s, [this] { m_glyph.mnuEditCut(); },
        QKeySequence(Qt::CTRL | Qt::Key_X));
    addCommand(
        edit, "mnuEditCopy", u"&Копировать"_s, [this] { m_glyph.mnuEditCopy(); },
        QKeySequence(Qt::CTRL | Qt::Key_C));
    addCommand(
        edit, "mnuEditPaste", u"Вст&авить"_s, [this] { m_glyph.mnuEditPaste(); },
        QKeySequence(Qt::CTRL | Qt::Key_V));
    addSeparator(edit, "t1");
    addCommand(edit, "mnueditclear", u"Стереть"_s, [this] { m_glyph.mnueditclear(); });
    addCommand(edit, "sload", u"Загрузить"_s, [this] { m_navigation.sload(); });
    addCommand(edit, "sloada", u"Загружать автоматически"_s, [this] {
        m_autoLoad->toggle();
    })->setCheckable(true);
    describeMenuItem(addCommand(edit, "ssave", u"Сохранить"_s, [this] { m_navigation.ssave(); }),
                     u"Записать символ из квадрата в шрифт"_s);
    addCommand(edit, "ssavea", u"Сохранять автоматически"_s, [this] {
        m_autoStore->toggle();
    })->setCheckable(true);

    QMenu *character = addMenu("act", u"Символ"_s);
    addCommand(character, "nextchr", u"Следующий"_s, [this] { m_navigation.nextchr(); });
    addCommand(character, "prevchr", u"Предыдущий"_s, [this] { m_navigation.prevchr(); });
    addSeparator(character, "t6");
    addCommand(character, "min", u"Инвертировать"_s, [this] { m_glyph.min(); });
    addSeparator(character, "t2");
    addCommand(character, "vmir", u"Вертикальное зеркало"_s, [this] { m_glyph.vmir(); });
    addCommand(character, "gmir", u"Горизонтальное зеркало"_s, [this] { m_glyph.gmir(); });
    addSeparator(character, "t3");
    addCommand(character, "rr", u"Поворот по часовой стрелке"_s, [this] { m_glyph.rr(); });
    addCommand(character, "rl", u"Поворот против часовой стрелки"_s, [this] { m_glyph.rl(); });
    addSeparator(character, "t5");
    addCommand(character, "sup", u"Сдвиг вверх"_s, [this] { m_glyph.sup(); });
    addCommand(character, "sdown", u"Сдвиг вниз"_s, [this] { m_glyph.sdown(); });
    addCommand(character, "sleft", u"Сдвиг влево"_s, [this] { m_glyph.sleft(); });
    addCommand(character, "sright", u"Сдвиг вправо"_s, [this] { m_glyph.sright(); });

    QMenu *sets = addMenu("naborfonts", u"Набор"_s);
    addCommand(sets, "addfont", u"Добавить набор"_s, [this] { m_sets.addfont(); });
    addCommand(sets, "delfont", u"Удалить набор"_s, [this] { m_sets.delfont(); });
    addSeparator(sets, "t4");
    addCommand(sets, "nextfont", u"Перейти к следующему"_s, [this] { m_sets.nextfont(); });
    addCommand(sets, "prewfont", u"Перейти к предыдущему"_s, [this] { m_sets.prewfont(); });

    QMenu *palette = addMenu("pal", u"Палитра"_s);
    const char *separators[] = {"t8", "t7"};
    int separator = 0;
    for (const ColourScheme &scheme : ColourSchemes) {
        if (scheme.separatorBefore)
            addSeparator(palette, separators[separator++]);
        addCommand(palette, scheme.command, QString::fromUtf16(scheme.caption),
                   [this, &scheme] { applyScheme(*m_state, *this, scheme); });
    }

    QMenu *tools = addMenu("mnutools", u"Инструменты"_s);
    addCommand(tools, "calc", u"Калькулятор вызова"_s,
               [this] { showOnce(m_calculator, [] { return new CalculatorWindow; }); });

    QMenu *help = addMenu("mnuHelp", u"&Справка"_s);
    addCommand(help, "mnuHelpContents", u"&Содержание"_s, [this] {
        showOnce(m_help, [this] {
            auto *window = new HelpWindow;
            centreOnScreen(window);
            return window;
        });
    });
    addSeparator(help, "mnuHelpBar0");
    addCommand(help, "mnuHelpAbout", u"&О программе..."_s, [this] { showAbout(); });
}

void MainWindow::createToolBar(QWidget *parent)
{
    auto *toolBar = new QToolBar(parent);
    toolBar->setObjectName(u"tbToolBar"_s);
    toolBar->setAccessibleName(u"Панель инструментов"_s);
    toolBar->setGeometry(0, 0, 789, 24);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // Fusion's frame and item margins leave a button 16 of the bar's 24 pixels, too few for a
    // 16 pixel picture inside the button's own frame, and Qt would shrink and blur the pictures.
    // Above and below the buttons only the bar's frame is kept.
    const int frame = toolBar->style()->pixelMetric(QStyle::PM_ToolBarFrameWidth, nullptr, toolBar);
    const QMargins margins = toolBar->layout()->contentsMargins();
    toolBar->layout()->setContentsMargins(margins.left(), frame, margins.right(), frame);
    for (const ToolbarButton &button : ToolbarButtons) {
        command(QLatin1StringView(button.command)); // every button must reach a command
        const QString key = QString::fromUtf16(button.key);
        QAction *action = toolBar->addAction(
            QIcon(u":/toolbar/%1.png"_s.arg(QLatin1StringView(button.picture))), QString());
        action->setObjectName(u"tb"_s + key);
        action->setData(key);
        action->setToolTip(QString::fromUtf16(button.toolTip));
        toolBar->widgetForAction(action)->setAccessibleName(action->toolTip());
        connect(action, &QAction::triggered, this,
                [this, action] { ButtonClick(action->data().toString()); });
        if (separatorAfter(key))
            toolBar->addSeparator();
    }
}

} // namespace Glyphery
