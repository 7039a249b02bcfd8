// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader or an automation tool meets: the names of the controls, the two
// "Сохранить" menu items told apart, and the check boxes, which hold the automatic options
// however they are turned over.

#include "support/main_window_harness.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QMetaEnum>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

QString spoken(QObject *object, QAccessible::Text what = QAccessible::Name)
{
    return QAccessible::queryAccessibleInterface(object)->text(what);
}

QStringList faultsBelow(QAccessibleInterface *node)
{
    static const QList<QAccessible::Role> named
        = {QAccessible::Button,    QAccessible::ButtonMenu,   QAccessible::CheckBox,
           QAccessible::MenuItem,  QAccessible::EditableText, QAccessible::ScrollBar,
           QAccessible::PopupMenu, QAccessible::MenuBar,      QAccessible::ToolBar,
           QAccessible::Canvas,    QAccessible::Graphic,      QAccessible::Window,
           QAccessible::Dialog};
    const QString who = node->object()->objectName() + u' '
        + QString::fromLatin1(node->object()->metaObject()->className());
    QStringList faults;
    if (node->state().invisible && node->parent()->role() == QAccessible::ToolBar)
        faults << who + u" never shows"_s;
    if (!node->state().invisible && node->rect().isEmpty())
        faults << who + u" is empty"_s;
    if (!node->state().invisible && named.contains(node->role())
        && node->text(QAccessible::Name).trimmed().isEmpty())
        faults << who + u" has no name"_s;
    for (int i = 0; i < node->childCount(); ++i)
        faults += faultsBelow(node->child(i));
    return faults;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT
private slots:
    void namesOfTheControls();
    void noControlIsUnnamedOrEmpty();
    void theTwoSaveItemsDiffer();
    void checkBoxesHoldTheOptions_data();
    void checkBoxesHoldTheOptions();
};

// The surfaces are canvases and the calculator and the help window windows, each with its name.
void TestAccessibility::namesOfTheControls()
{
    MainWindowHarness h;
    h.trigger(u"calc"_s);
    h.trigger(u"mnuHelpContents"_s);
    const QStringList names = {u"PP Canvas Обзор набора"_s,
                               u"P Canvas Редактируемый символ"_s,
                               u"Command5 Button Предыдущий символ"_s,
                               u"Command6 Button Следующий символ"_s,
                               u"Command9 Button Предыдущий набор"_s,
                               u"Command8 Button Следующий набор"_s,
                               u"Form2 Window Калькулятор вызова"_s,
                               u"Form1 Window Glyphery - справка"_s,
                               u"Text1 EditableText Адрес шрифта в памяти Spectrum"_s};
    for (const QString &name : names) {
        const QString object = name.section(u' ', 0, 0);
        QWidget *widget = openWindows(object).value(0);
        for (QWidget *window : QApplication::topLevelWidgets())
            widget = widget ? widget : window->findChild<QWidget *>(object);
        QCOMPARE(QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(
                     QAccessible::queryAccessibleInterface(widget)->role()))
                     + u' ' + spoken(widget),
                 name.section(u' ', 1));
    }
    auto *toolBar = h.child<QToolBar>(u"tbToolBar"_s);
    for (QAction *action : toolBar->actions()) {
        if (!action->isSeparator())
            QCOMPARE(spoken(toolBar->widgetForAction(action)), action->toolTip());
    }
    h.trigger(u"nextchr"_s);
    QCOMPARE(spoken(h.child(u"P"_s), QAccessible::Description), u"Код: 34"_s);
    QVERIFY(spoken(h.child(u"PP"_s), QAccessible::Description).contains(u"«\"»"_s));
}

// In every window, the About box too, every control that shows has a name and a place, and the
// toolbar offers no control that never shows (its overflow button: the window is fixed).
void TestAccessibility::noControlIsUnnamedOrEmpty()
{
    MainWindowHarness h;
    h.trigger(u"calc"_s);
    h.trigger(u"mnuHelpContents"_s);
    QStringList faults;
    QTimer::singleShot(0, [&] { // the box is modal: looked at from its own event loop
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible())
                faults += faultsBelow(QAccessible::queryAccessibleInterface(window));
        }
        QApplication::activeModalWidget()->close();
    });
    h.trigger(u"mnuHelpAbout"_s);
    QCOMPARE(faults, QStringList());
}

void TestAccessibility::theTwoSaveItemsDiffer()
{
    MainWindowHarness h;
    QList<QAccessibleInterface *> items;
    for (const auto &[menu, item] :
         {std::pair(u"mnuFile"_s, u"mnuFileSave"_s), std::pair(u"mnuedit"_s, u"ssave"_s)}) {
        auto *list = h.child<QMenu>(menu);
        items.append(QAccessible::queryAccessibleInterface(list)->child(
            int(list->actions().indexOf(h.window.command(item)))));
        QCOMPARE(items.last()->text(QAccessible::Name), u"Сохранить"_s);
        QCOMPARE(items.last()->role(), QAccessible::MenuItem);
        QCOMPARE(items.last()->parent()->object(), list);
    }
    // Only the items of the open menu are there to be read; the one under the mouse has focus.
    auto *file = h.child<QMenu>(u"mnuFile"_s);
    file->popup({});
    file->setActiveAction(h.window.command(u"mnuFileSave"_s));
    QCOMPARE(QList<bool>({bool(items[0]->state().invisible), bool(items[0]->state().focused),
                          bool(items[1]->state().invisible)}),
             QList<bool>({false, true, true}));
    file->close();
    QVERIFY(items[0]->state().invisible);
    QCOMPARE(items[0]->text(QAccessible::Accelerator) + u'|'
                 + items[1]->text(QAccessible::Accelerator),
             u"Alt+С|"_s);
    QVERIFY(!items[0]->text(QAccessible::Description).isEmpty());
    QVERIFY(items[0]->text(QAccessible::Description) != items[1]->text(QAccessible::Description));
    h.state().EditGrid[3][3] = 1; // pressed through the interface, it stores as the item does
    items[1]->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(h.font().glyph(0, 1)[3][3], 1);
}

void TestAccessibility::checkBoxesHoldTheOptions_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("how");
    for (const QString &box : {u"Check1"_s, u"Check2"_s}) {
        for (const char *how : {"click", "space", "accessibility", "program", "menu item"})
            QTest::addRow("%s by %s", qPrintable(box), how) << box << QString::fromLatin1(how);
    }
}

// Turned over twice, the box, its option and the menu item's check mark agree each time, and
// nothing else happens.
void TestAccessibility::checkBoxesHoldTheOptions()
{
    QFETCH(QString, box);
    QFETCH(QString, how);
    MainWindowHarness h;
    auto *check = h.child<QCheckBox>(box);
    const bool loading = box == u"Check1";
    QAction *item = h.window.command(loading ? u"sloada"_s : u"ssavea"_s);
    const FontStore font = h.font();
    for (const bool on : {false, true}) {
        if (how == u"click")
            QTest::mouseClick(check, Qt::LeftButton);
        else if (how == u"space")
            QTest::keyClick(check, Qt::Key_Space);
        else if (how == u"accessibility")
            QAccessible::queryAccessibleInterface(check)->actionInterface()->doAction(
                QAccessibleActionInterface::toggleAction());
        else if (how == u"program")
            check->setChecked(on);
        else
            item->trigger();
        const bool option = loading ? h.state().autoLoad : h.state().autoStore;
        QCOMPARE(QList<bool>({check->isChecked(), option, item->isChecked()}),
                 QList<bool>({on, on, on}));
    }
    QVERIFY(h.font().FontPixels == font.FontPixels && !h.font().modified);
}

} // namespace Glyphery

QTEST_MAIN(Glyphery::TestAccessibility)
#include "test_accessibility.moc"
