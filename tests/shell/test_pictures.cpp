// SPDX-License-Identifier: GPL-3.0-or-later
// At a device pixel ratio of 2, as on a desktop scaled to 200 %, the toolbar, the window icon
// and the About box show the double-size pictures pixel for pixel, not enlarged copies.

#include "operations/toolbar_routing.h"
#include "shell/about_box.h"
#include "shell/application.h"
#include "support/main_window_harness.h"

#include <QTest>
#include <QToolBar>

using namespace Glyphery;
using namespace Qt::Literals::StringLiterals;

namespace {

QImage argb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

// Whether every opaque pixel of the picture appears unchanged somewhere in the shot.
bool shows(const QImage &shot, const QImage &picture)
{
    for (int top = 0; top + picture.height() <= shot.height(); ++top) {
        for (int left = 0; left + picture.width() <= shot.width(); ++left) {
            bool same = true;
            for (int i = 0; same && i < picture.width() * picture.height(); ++i) {
                const QRgb pixel = picture.pixel(i % picture.width(), i / picture.width());
                same = qAlpha(pixel) == 0
                    || shot.pixel(left + i % picture.width(), top + i / picture.width()) == pixel;
            }
            if (same)
                return true;
        }
    }
    return false;
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT
public:
    // Qt adds the name@2x.png pictures only when a screen is that dense as the program starts.
    static void initMain() { qputenv("QT_SCALE_FACTOR", "2"); }

private slots:
    void toolbarShowsTheDoubleSizePictures();
    void iconAndAboutPictureComeFromTheirRatio();
};

void TestPictures::toolbarShowsTheDoubleSizePictures()
{
    MainWindowHarness harness;
    auto *toolBar = harness.child<QToolBar>(u"tbToolBar"_s);
    for (const ToolbarButton &button : ToolbarButtons) {
        auto *action
            = harness.window.findChild<QAction *>(u"tb"_s + QString::fromUtf16(button.key));
        const QImage shot = argb(toolBar->widgetForAction(action)->grab().toImage());
        const QString picture = u":/toolbar/%1@2x.png"_s.arg(QLatin1StringView(button.picture));
        QVERIFY2(shot.devicePixelRatio() == 2.0 && shows(shot, argb(QImage(picture))),
                 qPrintable(picture));
    }
}

// As the program starts: the icon is the application's, and no window replaces it.
void TestPictures::iconAndAboutPictureComeFromTheirRatio()
{
    setUpApplication();
    MainWindowHarness harness;
    for (const auto &[size, ratio, suffix] :
         {std::tuple(16, 2.0, u"@2x"_s), std::tuple(48, 2.0, u"@2x"_s),
          std::tuple(16, 1.0, u""_s)}) {
        const QPixmap drawn = harness.window.windowIcon().pixmap(QSize(size, size), ratio);
        QCOMPARE(argb(drawn.toImage()),
                 argb(QImage(u":/icons/glyphery-%1%2.png"_s.arg(size).arg(suffix))));
    }
    AboutBox about(&harness.window);
    const QImage shown = about.findChild<QLabel *>(u"Picture1"_s)->pixmap().toImage();
    QCOMPARE(argb(shown), argb(QImage(u":/about@2x.png"_s)));
}

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"
