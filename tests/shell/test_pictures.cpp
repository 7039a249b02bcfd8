// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/toolbar_routing.h"
#include "shell/about_box.h"
#include "shell/application.h"
#include "support/main_window_harness.h"

#include <QApplication>
#include <QTest>
#include <QToolBar>

using namespace Glyphery;
using namespace Qt::Literals::StringLiterals;

namespace {

// Pixels and device pixel ratio as QCOMPARE sees them, whatever format Qt stored them in.
QImage argb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

bool showsAt(const QImage &shot, const QImage &picture, int left, int top)
{
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            if (qAlpha(pixel) != 0 && shot.pixel(left + x, top + y) != pixel)
                return false;
        }
    }
    return true;
}

// Whether every opaque pixel of the picture appears unchanged somewhere in the shot.
bool shows(const QImage &shot, const QImage &picture)
{
    for (int top = 0; top + picture.height() <= shot.height(); ++top) {
        for (int left = 0; left + picture.width() <= shot.width(); ++left) {
            if (showsAt(shot, picture, left, top))
                return true;
        }
    }
    return false;
}

} // namespace

// Every screen has device pixel ratio 2, as on a desktop scaled to 200 %.
class TestPictures : public QObject
{
    Q_OBJECT
public:
    // Qt adds the name@2x.png pictures to an icon only when a screen is that dense, so the
    // scale is set before QApplication reads it.
    static void initMain() { qputenv("QT_SCALE_FACTOR", "2"); }

private slots:
    void toolbarShowsTheDoubleSizePictures_data();
    void toolbarShowsTheDoubleSizePictures();
    void windowIconComesFromThePictureForItsRatio_data();
    void windowIconComesFromThePictureForItsRatio();
    void aboutPictureIsTheDoubleSizeOne();
};

void TestPictures::toolbarShowsTheDoubleSizePictures_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("picture");
    for (const ToolbarButton &button : ToolbarButtons) {
        QTest::newRow(button.picture)
            << u"tb"_s + QString::fromUtf16(button.key)
            << u":/toolbar/%1@2x.png"_s.arg(QLatin1StringView(button.picture));
    }
}

// Drawn pixel for pixel, neither shrunk nor enlarged from the 16 pixel picture.
void TestPictures::toolbarShowsTheDoubleSizePictures()
{
    QFETCH(QString, action);
    QFETCH(QString, picture);
    MainWindowHarness harness;
    QWidget *button = harness.child<QToolBar>(u"tbToolBar"_s)
                          ->widgetForAction(harness.window.findChild<QAction *>(action));
    const QImage shot = argb(button->grab().toImage());
    QCOMPARE(shot.devicePixelRatio(), 2.0);
    QVERIFY(shows(shot, argb(QImage(picture))));
}

void TestPictures::windowIconComesFromThePictureForItsRatio_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QString>("picture");
    QTest::newRow("16") << 16 << 2.0 << u":/icons/glyphery-16@2x.png"_s;
    QTest::newRow("32") << 32 << 2.0 << u":/icons/glyphery-32@2x.png"_s;
    QTest::newRow("48") << 48 << 2.0 << u":/icons/glyphery-48@2x.png"_s;
    QTest::newRow("16 at ratio 1") << 16 << 1.0 << u":/icons/glyphery-16.png"_s;
    QTest::newRow("48 at ratio 1") << 48 << 1.0 << u":/icons/glyphery-48.png"_s;
}

void TestPictures::windowIconComesFromThePictureForItsRatio()
{
    QFETCH(int, size);
    QFETCH(qreal, ratio);
    QFETCH(QString, picture);
    // As the program starts: the icon is set for the whole application, and the main window
    // must not replace it with one of its own.
    setUpApplication();
    MainWindowHarness harness;
    const QPixmap drawn = harness.window.windowIcon().pixmap(QSize(size, size), ratio);
    QCOMPARE(argb(drawn.toImage()), argb(QImage(picture)));
}

void TestPictures::aboutPictureIsTheDoubleSizeOne()
{
    MainWindowHarness harness; // loads the resources
    AboutBox about(&harness.window);
    const QImage shown = about.findChild<QLabel *>(u"Picture1"_s)->pixmap().toImage();
    QCOMPARE(argb(shown), argb(QImage(u":/about@2x.png"_s)));
}

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"
