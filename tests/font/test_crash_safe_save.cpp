// SPDX-License-Identifier: GPL-3.0-or-later
// A save cut off by a crash, a kill or a power cut must leave the file as it was before that
// save or as the save meant it to be, never a mix of the two or a shortened file, and no
// temporary copies. A child process saves two fonts in turn until it is killed at a random
// moment.

#include "font/font_store.h"
#include "font/safe_writer.h"
#include "support/test_files.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

class TestCrashSafeSave : public QObject
{
    Q_OBJECT
private slots:
    void killedSaveLeavesWholeFont();
};

void TestCrashSafeSave::killedSaveLeavesWholeFont()
{
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QDir folder(temporary.path());
    const QString target = folder.filePath(u"font.SpecCHR"_s);
    // The fonts save_loop writes.
    const QByteArray fontA = randomBytes(MaxFontBytes, 1);
    const QByteArray fontB = randomBytes(MaxFontBytes, 2);
    const auto isFont = [&](const QString &name) {
        const QByteArray bytes = fileBytes(folder.filePath(name));
        return bytes == fontA || bytes == fontB;
    };
    const auto entries
        = [&] { return folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); };
    QRandomGenerator random(20240917);
    for (int kill = 0; kill < 30; ++kill) {
        QProcess child;
        child.start(QFile::decodeName(GLYPHERY_SAVE_LOOP), {target});
        const bool saving = child.waitForReadyRead(20000) && child.state() == QProcess::Running;
        if (saving)
            QThread::msleep(random.bounded(1, 21));
        child.kill();
        child.waitForFinished();
        QVERIFY2(saving && child.exitStatus() == QProcess::CrashExit,
                 child.readAllStandardError().constData());

        // A kill between naming the new file and renaming it can leave one whole copy, which
        // the next save removes; nothing else may be left.
        const QStringList left = entries();
        QVERIFY2(isFont(u"font.SpecCHR"_s) && left.size() <= 2
                     && std::all_of(left.begin(), left.end(), isFont),
                 qPrintable(u"kill %1 left %2"_s.arg(kill).arg(left.join(u", "))));
    }
    QVERIFY(writeWholeFile(target, fontA).isEmpty());
    QCOMPARE(entries(), QStringList {u"font.SpecCHR"_s});
}

} // namespace Glyphery

QTEST_GUILESS_MAIN(Glyphery::TestCrashSafeSave)
#include "test_crash_safe_save.moc"
