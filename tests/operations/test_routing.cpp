// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/toolbar_routing.h"
#include "support/main_window_harness.h"

#include <QAbstractButton>
#include <QMenu>
#include <QTest>
#include <QToolBar>

#include <stdexcept>

using namespace Glyphery;
using namespace Qt::Literals::StringLiterals;

class TestRouting : public QObject
{
    Q_OBJECT
private slots:
    void controls_data()
    {
        QTest::addColumn<QString>("control"); // a toolbar key, or a push button or check box
        QTest::addColumn<QString>("command"); // the menu item it reaches; empty: none
        const QString written
            = u"New=mnuFileNew Open=mnuFileOpen Save=mnuFileSave Cut=mnuEditCut Copy=mnuEditCopy "
              u"Paste=mnuEditPaste Inv=min MV=vmir MG=gmir rr=rr rl=rl up=sup down=sdown "
              u"left=sleft right=sright calc=calc Command1=mnueditclear Command2=addfont "
              u"Command3=delfont Command4=ssave Command5=prevchr Command6=nextchr Command7=sload "
              u"Command8=nextfont Command9=prewfont Check1=sloada Check2=ssavea Ctrl+N=mnuFileNew "
              u"Ctrl+X=mnuEditCut Ctrl+C=mnuEditCopy Ctrl+V=mnuEditPaste"_s;
        for (const QString &row : written.split(u' '))
            QTest::newRow(qPrintable(row)) << row.section(u'=', 0, 0) << row.section(u'=', 1);
        for (const QString &key : {u" Inv"_s, u"inv"_s, u"Inv "_s, u"mv"_s, QString(), u"SaveAs"_s})
            QTest::addRow("'%s'", qPrintable(key)) << key << QString();
    }

    // A toolbar button is clicked by its key, a push button or check box by its name; a key no
    // button has goes to the toolbar's handler directly; a shortcut is typed on a push button.
    // Every menu item that runs or changes its check mark is recorded. Open and Save As are
    // cancelled.
    void controls()
    {
        QFETCH(QString, control);
        QFETCH(QString, command);
        MainWindowHarness h;
        h.services.fileNames.enqueue(QString());
        QStringList ran;
        for (QAction *action : h.window.findChildren<QAction *>()) {
            for (auto signal : {&QAction::triggered, &QAction::toggled}) {
                connect(action, signal, this, [&ran, action] {
                    if (!action->objectName().startsWith(u"tb"))
                        ran.append(action->objectName());
                });
            }
        }
        auto *toolBar = h.child<QToolBar>(u"tbToolBar"_s);
        QWidget *button = control.isEmpty() ? nullptr : h.child<QAbstractButton>(control);
        for (QAction *action : toolBar->actions()) {
            if (!action->isSeparator() && action->data().toString() == control)
                button = toolBar->widgetForAction(action);
        }
        const bool typed = control.startsWith(u"Ctrl+");
        QCOMPARE(button != nullptr, !command.isEmpty() && !typed);
        if (typed) {
            h.window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&h.window));
            QTest::keySequence(h.child(u"Command4"_s), QKeySequence(control));
        } else if (button) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            h.window.ButtonClick(control);
        }
        QCOMPARE(ran, command.isEmpty() ? QStringList() : QStringList {command});
        h.window.close(); // and the calculator with it
    }

    // Menu items that no button reaches, clicked in their open menu.
    void menuOnlyItems()
    {
        MainWindowHarness h;
        auto *file = h.child<QMenu>(u"mnuFile"_s);
        for (const QString &item : {u"gphload"_s, u"mnuFileSaveAs"_s}) {
            h.services.fileNames.enqueue(QString());
            file->popup({});
            const QPoint at = file->actionGeometry(h.window.command(item)).center();
            QTest::mouseClick(file, Qt::LeftButton, {}, at);
        }
        QStringList dialogs;
        for (const ScriptedServices::Dialog &dialog : h.services.dialogs)
            dialogs.append(dialog.kind + u' ' + dialog.filter.pattern);
        QCOMPARE(dialogs, QStringList({u"open *.gph"_s, u"save *.SpecCHR"_s}));
    }

    void toolbarAbsorbsFailures()
    {
        QStringList ran;
        Glyphery::ButtonClick(u"Save"_s, [&ran](const QString &command) {
            ran.append(command);
            throw std::runtime_error("disk gone");
        });
        QCOMPARE(ran, QStringList {u"mnuFileSave"_s});
    }
};

QTEST_MAIN(TestRouting)
#include "test_routing.moc"
