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
#include <QTest>
#include <QToolBar>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

QString spokenName(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
}

// The accessible interface of a menu item, as a screen reader reaches it through its menu.
QAccessibleInterface *menuItem(MainWindowHarness &h, const QString &menu, const QString &item)
{
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(h.child<QMenu>(menu));
    const qsizetype index = h.child<QMenu>(menu)->actions().indexOf(h.window.command(item));
    return list->child(int(index));
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT
private slots:
    void namesOfTheControls();
    void theTwoSaveItemsDiffer();
    void checkBoxesHoldTheOptions_data();
    void checkBoxesHoldTheOptions();
};

void TestAccessibility::namesOfTheControls()
{
    MainWindowHarness h;
    const QList<std::pair<QString, QString>> names = {{u"PP"_s, u"Обзор набора"_s},
                                                      {u"P"_s, u"Редактируемый символ"_s},
                                                      {u"Command5"_s, u"Предыдущий символ"_s},
                                                      {u"Command6"_s, u"Следующий символ"_s},
                                                      {u"Command9"_s, u"Предыдущий набор"_s},
                                                      {u"Command8"_s, u"Следующий набор"_s}};
    for (const auto &[object, name] : names)
        QCOMPARE(spokenName(h.child(object)), name);
    QCOMPARE(h.child(u"Command6"_s)->property("text").toString(), u">"_s);

    auto *toolBar = h.child<QToolBar>(u"tbToolBar"_s);
    for (QAction *action : toolBar->actions()) {
        if (!action->isSeparator())
            QCOMPARE(spokenName(toolBar->widgetForAction(action)), action->toolTip());
    }

    h.trigger(u"nextchr"_s);
    QCOMPARE(QAccessible::queryAccessibleInterface(h.child(u"P"_s))->text(QAccessible::Description),
             u"Код: 34"_s);
    QVERIFY(QAccessible::queryAccessibleInterface(h.child(u"PP"_s))
                ->text(QAccessible::Description)
                .contains(u"«\"»"_s));

    h.trigger(u"calc"_s);
    QWidget *address = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == u"Form2")
            address = window->findChild<QWidget *>(u"Text1"_s);
    }
    QVERIFY(address);
    QCOMPARE(spokenName(address), u"Адрес шрифта в памяти Spectrum"_s);
    address->window()->close();
}

void TestAccessibility::theTwoSaveItemsDiffer()
{
    MainWindowHarness h;
    QAccessibleInterface *file = menuItem(h, u"mnuFile"_s, u"mnuFileSave"_s);
    QAccessibleInterface *edit = menuItem(h, u"mnuedit"_s, u"ssave"_s);
    QCOMPARE(file->text(QAccessible::Name), u"Сохранить"_s);
    QCOMPARE(edit->text(QAccessible::Name), u"Сохранить"_s);
    QCOMPARE(file->role(), QAccessible::MenuItem);
    QVERIFY(!file->text(QAccessible::Description).isEmpty());
    QVERIFY(file->text(QAccessible::Description) != edit->text(QAccessible::Description));
    QCOMPARE(file->parent()->object(), h.child<QMenu>(u"mnuFile"_s));

    // Pressing it through the interface stores the square, as the menu item does.
    h.state().EditGrid[3][3] = 1;
    edit->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(h.font().glyph(0, 1)[3][3], 1);
}

void TestAccessibility::checkBoxesHoldTheOptions_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("how");
    for (const QString &box : {u"Check1"_s, u"Check2"_s}) {
        for (const QString &how :
             {u"click"_s, u"space"_s, u"accessibility"_s, u"program"_s, u"menu item"_s})
            QTest::addRow("%s by %s", qPrintable(box), qPrintable(how)) << box << how;
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
    const auto option = [&] { return loading ? h.state().autoLoad : h.state().autoStore; };
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
        QCOMPARE(check->isChecked(), on);
        QCOMPARE(option(), on);
        QCOMPARE(item->isChecked(), on);
    }
    QVERIFY(h.font().FontPixels == font.FontPixels && !h.font().modified);
}

} // namespace Glyphery

QTEST_MAIN(Glyphery::TestAccessibility)
#include "test_accessibility.moc"
