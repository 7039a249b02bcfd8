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
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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

// The first dialog opens in the home folder, each next one where the user last chose a file.
// Save adds no extension and asks nothing about an existing file: the command asks its own
// question. A cancelled dialog gives no name. Sizes, dates and buttons are Russian.
void TestQtDialogs::fileDialogsInTurn()
{
    const QString font = m_folder.filePath(u"font.SpecCHR"_s);
    const QString existing = m_folder.filePath(u"font"_s);
    QVERIFY(writeFile(font, QByteArray(SetBytes, '\x81')) && writeFile(existing, "old"));
    QtServices services(m_settings.filePath(u"Glyphery.conf"_s));
    QStringList seen; // each dialog's folder, title and filters as it opened
    QString size, date, accept;
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
            dialog->reject();
        } else if (size = column(dialog, font, 1); !size.isEmpty()) { // once the folder is read
            date = column(dialog, font, 3);
            accept = buttonText(dialog->findChild<QDialogButtonBox *>(), QDialogButtonBox::Open);
            choose(dialog, u"font.SpecCHR"_s);
        }
    });
    QCOMPARE(services.saveFileName(u"Save"_s, specChrFilter()), existing);
    QCOMPARE(services.openFileName(u"Open"_s, gphFilter()), QString());
    QCOMPARE(services.openFileName(u"Open"_s, specChrFilter()), font);
    QCOMPARE(seen,
             QStringList({QDir::homePath() + u"|Save|Шрифт Spectrum (*.SpecCHR)"_s,
                          m_folder.path() + u"|Open|Шрифт Spectrum формата gph (*.gph)"_s,
                          m_folder.path() + u"|Open|Шрифт Spectrum (*.SpecCHR)"_s}));
    QVERIFY2(size.startsWith(u"768 байт"_s), qPrintable(size));
    QVERIFY2(QRegularExpression(u"^\\d\\d\\.\\d\\d\\.\\d{4} "_s).match(date).hasMatch(),
             qPrintable(date));
    QCOMPARE(accept, u"Открыть"_s);
}

// Closing a box counts as its Cancel, or as No where there is no Cancel.
void TestQtDialogs::messageBoxesSpeakRussian()
{
    QtServices services(m_settings.filePath(u"Glyphery.conf"_s));
    for (const MessageButtons buttons : {MessageButtons::YesNoCancel, MessageButtons::YesNo}) {
        QStringList seen;
        const DialogAnswer<QMessageBox> user([&](QMessageBox *box) {
            const auto *buttonBox = box->findChild<QDialogButtonBox *>();
            for (const auto which :
                 {QDialogButtonBox::Yes, QDialogButtonBox::No, QDialogButtonBox::Cancel})
                seen.append(buttonText(const_cast<QDialogButtonBox *>(buttonBox), which));
            seen.append(box->windowTitle());
            seen.append(box->icon() == QMessageBox::NoIcon ? u"no icon"_s : u"icon"_s);
            QTest::keyClick(box, Qt::Key_Escape);
        });
        const MessageAnswer answer
            = services.message(u"Сохранить изменения?"_s, u"Glyphery"_s, buttons);
        const bool cancel = buttons == MessageButtons::YesNoCancel;
        QCOMPARE(answer, cancel ? MessageAnswer::Cancel : MessageAnswer::No);
        QCOMPARE(seen,
                 QStringList({u"Да"_s, u"Нет"_s, cancel ? u"Отмена"_s : QString(), u"Glyphery"_s,
                              u"no icon"_s}));
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
