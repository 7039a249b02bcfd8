// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own dialogs as the program shows them, driven as a user would: in Russian whatever the
// desktop's locale (numbers, sizes and dates too), with the program's titles and filters, and
// what the user chooses coming back. Runs with LC_ALL=C.UTF-8, an English locale.

#include "font/file_commands.h"
#include "shell/application.h"
#include "shell/qt_services.h"
#include "shell/russian_qt.h"
#include "support/test_files.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <sys/inotify.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// While it lives, answers every modal dialog of type Dialog from inside the dialog's event
// loop: answer runs on it every 20 ms until it closes; any modal window still open after 5 s,
// such as a question the dialog should not have asked, is cancelled.
template<typename Dialog> class DialogAnswer
{
public:
    explicit DialogAnswer(std::function<void(Dialog *)> answer)
        : m_answer(std::move(answer))
    {
        m_clock.start();
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && m_clock.elapsed() > 5000)
                qobject_cast<QDialog *>(modal)->reject();
            else if (auto *dialog = qobject_cast<Dialog *>(modal))
                m_answer(dialog);
        });
        m_poll.start(20);
    }

private:
    std::function<void(Dialog *)> m_answer;
    QTimer m_poll;
    QElapsedTimer m_clock;
};

// Types a name as the user would and presses the dialog's accept button, after the poll
// returns: a question the dialog asks then can still be answered by the next poll.
void choose(QFileDialog *dialog, const QString &name)
{
    dialog->findChild<QLineEdit *>(u"fileNameEdit"_s)->setText(name);
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
}

QString column(QFileDialog *dialog, const QString &path, int number)
{
    const auto *model = dialog->findChild<QFileSystemModel *>();
    const QModelIndex file = model->index(path);
    return model->index(file.row(), number, file.parent()).data().toString();
}

QString buttonText(QDialogButtonBox *box, QDialogButtonBox::StandardButton which)
{
    return box->button(which) ? box->button(which)->text().remove(u'&') : QString();
}

} // namespace

class TestQtDialogs : public QObject
{
    Q_OBJECT
private slots:
    void fileDialogsInTurn();
    void messageBoxesSpeakRussian();

private:
    QTemporaryDir m_folder;
    QTemporaryDir m_settings;
};

// The names of the files of a folder that were opened since the watch began.
QStringList openedFiles(int watch)
{
    QStringList opened;
    alignas(inotify_event) char events[4096];
    for (ssize_t length; (length = ::read(watch, events, sizeof events)) > 0;) {
        for (ssize_t at = 0; at < length;) {
            const auto *event = reinterpret_cast<const inotify_event *>(events + at);
            if (event->len && !(event->mask & IN_ISDIR))
                opened.append(QFile::decodeName(event->name));
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
    ::close(watch);
    return opened;
}

// Every column as wide as what it shows, its heading included.
bool columnsFit(QFileDialog *dialog)
{
    const auto *tree = dialog->findChild<QTreeView *>(u"treeView"_s);
    const QAbstractItemView *view = tree; // where the contents' width is public
    for (int i = 0; i < tree->header()->count(); ++i) {
        const int needed = qMax(view->sizeHintForColumn(i), tree->header()->sectionSizeHint(i));
        if (tree->header()->sectionSize(i) < needed)
            return false;
    }
    return true;
}

// The first dialog opens in the home folder, each next one where the user last chose a file,
// unless that was a kernel folder (here through a link to /proc). Save adds no extension and
// asks nothing about an existing file: the command asks its own question. A cancelled dialog
// gives no name. Every column is Russian and shown whole, and no file is opened to tell its
// type.
void TestQtDialogs::fileDialogsInTurn()
{
    const QString font = m_folder.filePath(u"font.SpecCHR"_s);
    const QString existing = m_folder.filePath(u"font"_s);
    const QString kernel = m_folder.filePath(u"kernel"_s);
    QVERIFY(writeFile(font, QByteArray(SetBytes, '\x81')) && writeFile(existing, "old"));
    QVERIFY(QFile::link(u"/proc"_s, kernel));
    const int watch = inotify_init1(IN_NONBLOCK);
    QVERIFY(inotify_add_watch(watch, QFile::encodeName(m_folder.path()).constData(),
                              IN_OPEN | IN_ACCESS)
            >= 0);
    QtServices services(m_settings.filePath(u"Glyphery.conf"_s));
    QStringList seen; // each dialog's folder, title and filters as it opened
    QStringList shown; // the size, date and type of font.SpecCHR, a folder's type, Open
    const DialogAnswer<QFileDialog> user([&](QFileDialog *dialog) {
        if (!dialog->property("seen").toBool()) {
            dialog->setProperty("seen", true);
            seen.append(u"%1|%2|%3"_s.arg(dialog->directory().absolutePath(), dialog->windowTitle(),
                                          dialog->nameFilters().join(u';')));
        }
        if (seen.size() == 1) {
            dialog->setDirectory(m_folder.path());
            choose(dialog, u"font"_s);
        } else if (seen.size() == 2) {
            choose(dialog, u"kernel/font"_s);
        } else if (seen.size() == 3) {
            dialog->reject();
        } else if (!column(dialog, font, 1).isEmpty() && columnsFit(dialog)) {
            shown = QStringList(
                {column(dialog, font, 1), column(dialog, font, 3), column(dialog, font, 2),
                 column(dialog, kernel, 2),
                 buttonText(dialog->findChild<QDialogButtonBox *>(), QDialogButtonBox::Open)});
            choose(dialog, u"font.SpecCHR"_s);
        }
    });
    QCOMPARE(services.saveFileName(u"Save"_s, specChrFilter()), existing);
    QCOMPARE(services.saveFileName(u"Save"_s, specChrFilter()), kernel + u"/font"_s);
    QCOMPARE(services.openFileName(u"Open"_s, gphFilter()), QString());
    QCOMPARE(services.openFileName(u"Open"_s, specChrFilter()), font);
    QCOMPARE(seen,
             QStringList({QDir::homePath() + u"|Save|Шрифт Spectrum (*.SpecCHR)"_s,
                          m_folder.path() + u"|Save|Шрифт Spectrum (*.SpecCHR)"_s,
                          m_folder.path() + u"|Open|Шрифт Spectrum формата gph (*.gph)"_s,
                          m_folder.path() + u"|Open|Шрифт Spectrum (*.SpecCHR)"_s}));
    QCOMPARE(shown.size(), 5);
    QVERIFY2(shown[0].startsWith(u"768 байт"_s), qPrintable(shown[0]));
    QVERIFY2(QRegularExpression(u"^\\d\\d\\.\\d\\d\\.\\d{4} "_s).match(shown[1]).hasMatch(),
             qPrintable(shown[1]));
    QVERIFY2(shown[2].contains(QRegularExpression(u"^\\p{Cyrillic}"_s)), qPrintable(shown[2]));
    QCOMPARE(shown.sliced(3), QStringList({u"Папка"_s, u"Открыть"_s}));
    QCOMPARE(openedFiles(watch), QStringList());
}

// Closing a box counts as its Cancel, or as No where there is no Cancel. A box is wide enough
// for its whole title in a window manager's title bar: in a bold face of 10 points, beside an
// icon and three buttons of up to 32 pixels.
void TestQtDialogs::messageBoxesSpeakRussian()
{
    QtServices services(m_settings.filePath(u"Glyphery.conf"_s));
    for (const auto &[buttons, title] :
         {std::pair(MessageButtons::YesNoCancel, u"Создание нового шрифта"_s),
          std::pair(MessageButtons::YesNo, u"Glyphery"_s)}) {
        QStringList seen;
        const DialogAnswer<QMessageBox> user([&](QMessageBox *box) {
            const auto *buttonBox = box->findChild<QDialogButtonBox *>();
            for (const auto which :
                 {QDialogButtonBox::Yes, QDialogButtonBox::No, QDialogButtonBox::Cancel})
                seen.append(buttonText(const_cast<QDialogButtonBox *>(buttonBox), which));
            seen.append(box->icon() == QMessageBox::NoIcon ? u"no icon"_s : u"icon"_s);
            QFont titleFace = box->font();
            titleFace.setBold(true);
            titleFace.setPointSize(10);
            const int titleBar
                = QFontMetrics(titleFace).horizontalAdvance(box->windowTitle()) + 4 * 32;
            seen.append(box->width() >= titleBar ? box->windowTitle() : u"cut"_s);
            QTest::keyClick(box, Qt::Key_Escape);
        });
        const MessageAnswer answer = services.message(u"Сохранить изменения?"_s, title, buttons);
        const bool cancel = buttons == MessageButtons::YesNoCancel;
        QCOMPARE(answer, cancel ? MessageAnswer::Cancel : MessageAnswer::No);
        QCOMPARE(seen,
                 QStringList(
                     {u"Да"_s, u"Нет"_s, cancel ? u"Отмена"_s : QString(), u"no icon"_s, title}));
    }
}

} // namespace Glyphery

int main(int argc, char **argv)
{
    Glyphery::useRussianLocale();
    QApplication application(argc, argv);
    Glyphery::setUpApplication();
    Glyphery::TestQtDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_qt_dialogs.moc"
