#include "shell/qt_services.h"
#include "shell/window_place.h"
#include "support/main_window_harness.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Glyphery;
using namespace Qt::Literals::StringLiterals;

namespace {

bool visibleTopLevel(const QString &name)
{
    const auto windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [&name](QWidget *window) {
        return window->objectName() == name && window->isVisible();
    });
}

} // namespace

class TestStartupShutdown : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void startsBlackOnWhiteWithOneBlankSet();
    void opensAtTheStoredPlace_data();
    void opensAtTheStoredPlace();
    void placeRoundTripsThroughTwips();
    void closingWritesThePlaceInTwips();
    void closingWhileMinimisedWritesNothing();
    void closingClosesTheOtherWindowsAndAsksNothing();
    void qtSettingsLiveInTheGlypheryFile();

private:
    QTemporaryDir m_config;
};

void TestStartupShutdown::initTestCase()
{
    // The real user's settings are never touched.
    QVERIFY(m_config.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
}

void TestStartupShutdown::startsBlackOnWhiteWithOneBlankSet()
{
    MainWindowHarness harness;
    QCOMPARE(harness.state().inkColor, 0);
    QCOMPARE(harness.state().paperColor, 15);
    QCOMPARE(harness.font().setCount(), 1);
    QCOMPARE(harness.font().currentChar, 1);
    QCOMPARE(harness.font().fileName, u"*"_s);
    QVERIFY(!harness.font().modified);
    QVERIFY(harness.services.messages.isEmpty());
    QVERIFY(harness.services.dialogs.isEmpty());
    QCOMPARE(harness.font().glyph(0, 1), Glyph {});
    QCOMPARE(harness.stripPixel(30, 4), 0xffffffffu);
}

void TestStartupShutdown::opensAtTheStoredPlace_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("nothing stored: 1000 twips") << QString() << QString() << QPoint(67, 67);
    QTest::newRow("stored") << u"1500"_s << u"3000"_s << QPoint(100, 200);
    QTest::newRow("negative, off screen") << u"-60"_s << u"150"_s << QPoint(-4, 10);
    QTest::newRow("not a number") << u"abc"_s << u"12.5"_s << QPoint(67, 67);
}

void TestStartupShutdown::opensAtTheStoredPlace()
{
    QFETCH(QString, left);
    QFETCH(QString, top);
    QFETCH(QPoint, position);
    ScriptedServices services;
    if (!left.isNull()) {
        services.settings.insert(u"MainLeft"_s, left);
        services.settings.insert(u"MainTop"_s, top);
    }
    MainWindow window(services);
    QCOMPARE(window.pos(), position);
}

void TestStartupShutdown::placeRoundTripsThroughTwips()
{
    ScriptedServices services;
    for (const QPoint place : {QPoint(0, 0), QPoint(123, 45), QPoint(-7, 2000)}) {
        storeWindowPlace(services, QRect(place, QSize(800, 450)));
        QCOMPARE(storedWindowPosition(services), place);
    }
}

void TestStartupShutdown::closingWritesThePlaceInTwips()
{
    auto harness = std::make_unique<MainWindowHarness>();
    harness->window.move(40, 50);
    const QRect frame = harness->window.frameGeometry();
    harness->window.close();
    const auto &settings = harness->services.settings;
    QCOMPARE(harness->services.writtenKeys,
             QStringList({u"MainLeft"_s, u"MainTop"_s, u"MainWidth"_s, u"MainHeight"_s}));
    QCOMPARE(settings.value(u"MainLeft"_s), QString::number(frame.x() * 15));
    QCOMPARE(settings.value(u"MainTop"_s), QString::number(frame.y() * 15));
    QCOMPARE(settings.value(u"MainWidth"_s), QString::number(frame.width() * 15));
    QCOMPARE(settings.value(u"MainHeight"_s), QString::number(frame.height() * 15));
}

void TestStartupShutdown::closingWhileMinimisedWritesNothing()
{
    MainWindowHarness harness;
    harness.services.settings.insert(u"MainLeft"_s, u"4500"_s);
    harness.window.setWindowState(Qt::WindowMinimized);
    harness.window.close();
    QVERIFY(harness.services.writtenKeys.isEmpty());
    QCOMPARE(harness.services.settings.value(u"MainLeft"_s), u"4500"_s);
}

void TestStartupShutdown::closingClosesTheOtherWindowsAndAsksNothing()
{
    MainWindowHarness harness;
    harness.trigger(u"calc"_s);
    harness.trigger(u"mnuHelpContents"_s);
    QVERIFY(visibleTopLevel(u"Form2"_s));
    QVERIFY(visibleTopLevel(u"Form1"_s));
    harness.font().modified = true;
    harness.trigger(u"mnuFileExit"_s);
    QVERIFY(!harness.window.isVisible());
    QVERIFY(!visibleTopLevel(u"Form2"_s));
    QVERIFY(!visibleTopLevel(u"Form1"_s));
    QVERIFY(harness.services.messages.isEmpty());
}

void TestStartupShutdown::qtSettingsLiveInTheGlypheryFile()
{
    {
        QtServices services;
        QCOMPARE(services.readSetting(u"MainLeft"_s, u"1000"_s), u"1000"_s);
        services.writeSetting(u"MainLeft"_s, u"-60"_s);
    }
    QSettings file(m_config.path() + u"/Glyphery/Glyphery.conf"_s, QSettings::IniFormat);
    QCOMPARE(file.value(u"Settings/MainLeft"_s).toString(), u"-60"_s);
    QtServices again;
    QCOMPARE(again.readSetting(u"MainLeft"_s, u"1000"_s), u"-60"_s);
}

QTEST_MAIN(TestStartupShutdown)
#include "test_startup_shutdown.moc"
