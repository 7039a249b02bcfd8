// SPDX-License-Identifier: GPL-3.0-or-later
// What a user feels, on a shown main window: each operation is a row, timed by Qt Test. Run
//     bench_editor -perf -perfcounter taskclock -median 9 -minimumvalue 2000000
// for the CPU time of each operation in nanoseconds ("events per iteration"): on a machine
// shared with other work the wall clock would also count the waits for a core.

#include "font/gph.h"
#include "font/platform_services.h"
#include "shell/call_calculator.h"
#include "shell/main_window.h"
#include "support/main_window_harness.h"
#include "support/test_files.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// Every dialog chooses the one file; no question is expected, and one would be counted.
class FixedServices : public PlatformServices
{
public:
    QString path;
    int questions = 0;
    MessageAnswer message(const QString &, const QString &, MessageButtons) override
    {
        ++questions;
        return MessageAnswer::Cancel;
    }
    QString openFileName(const QString &, const FileFilter &) override { return path; }
    QString saveFileName(const QString &, const FileFilter &) override { return path; }
    QString readSetting(const QString &, const QString &value) override { return value; }
    void writeSetting(const QString &, const QString &) override { }
};

} // namespace

class BenchEditor : public QObject
{
    Q_OBJECT
private slots:
    void operation_data();
    void operation();

private:
    QTemporaryDir m_folder;
};

void BenchEditor::operation_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"RedrawFont", "RedrawEditor", "paint press and release",
                             "click on the strip", "min", "vmir", "gmir", "rr", "rl", "sup",
                             "sdown", "sleft", "sright", "mnueditclear", "gph import, 64 sets",
                             "Open, 64 sets", "Save, 64 sets", "ShowCall", "calculator keystroke"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void BenchEditor::operation()
{
    QFETCH(QString, name);
    FixedServices services;
    MainWindow window(services);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    FontStore &font = window.state().font;
    const QByteArray specChr = randomBytes(MaxFontBytes, 64);
    const QString file = m_folder.filePath(name.section(u',', 0, 0));
    if (name.startsWith(u"gph"))
        QVERIFY(writeFile(file, '\x3f' + randomBytes(MaxSets * GphSetBytes, 64)));
    else
        QVERIFY(writeFile(file, specChr));
    services.path = file;
    if (name.startsWith(u"Save"))
        window.command(u"mnuFileOpen"_s)->trigger();
    QWidget *strip = window.findChild<QWidget *>(u"PP"_s);
    QWidget *square = window.findChild<QWidget *>(u"P"_s);
    window.command(u"calc"_s)->trigger();
    auto *address = openWindows(u"Form2"_s).value(0)->findChild<QLineEdit *>();
    int key = 0;

    QBENCHMARK
    {
        if (name == u"RedrawFont")
            window.RedrawFont();
        else if (name == u"RedrawEditor")
            window.RedrawEditor();
        else if (name.startsWith(u"paint")) {
            sendMouse(square, QEvent::MouseButtonPress, {40, 40}, Qt::LeftButton, Qt::LeftButton);
            sendMouse(square, QEvent::MouseButtonRelease, {40, 40}, Qt::LeftButton, Qt::LeftButton);
        } else if (name.startsWith(u"click")) {
            sendMouse(strip, QEvent::MouseButtonPress, {100, 40}, Qt::LeftButton, Qt::LeftButton);
            sendMouse(strip, QEvent::MouseButtonRelease, {100, 40}, Qt::LeftButton, Qt::LeftButton);
        } else if (name.startsWith(u"gph"))
            window.command(u"gphload"_s)->trigger();
        else if (name.startsWith(u"Open"))
            window.command(u"mnuFileOpen"_s)->trigger();
        else if (name.startsWith(u"Save"))
            window.command(u"mnuFileSave"_s)->trigger();
        else if (name == u"ShowCall")
            ShowCall(u"64000"_s);
        else if (name.startsWith(u"calculator"))
            address->setText(QString::number(64000 + key++ % 1000));
        else
            window.command(name)->trigger();
    }
    QCOMPARE(services.questions, 0);
    QVERIFY(!name.startsWith(u"Save") || font.modified == false);
    window.close();
}

} // namespace Glyphery

QTEST_MAIN(Glyphery::BenchEditor)
#include "bench_editor.moc"
