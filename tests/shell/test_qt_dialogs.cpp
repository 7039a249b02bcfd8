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
// loop: answer runs on it every 20 ms until it closes; one still open after 5 s is cancelled.
template<typename Dialog> class DialogAnswer
{
public:
    explicit DialogAnswer(std::function<void(Dialog *)> answer)
        : m_answer(std::move(answer))
    {
        m_clock.start();
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            if (dialog && m_clock.elapsed() > 5000)
                dialog->reject();
            else if (dialog)
                m_answer(dialog);
        });
        m_poll.start(20);
    }

private:
    std::function<void(Dialog *)> m_answer;
    QTimer m_poll;
    QElapsedTimer m_clock;
};

// Types a name as the user would and presses the dialog's accept button.
void choose(QFileDialog *dialog, const QString &name)
{
    dialog->findChild<QLineEdit *>(u"fileNameEdit"_s)->setText(name);
    QMetaObject::invokeMethod(dialog, "accept");
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
    void openDialogSpeaksRussian();
    void saveDialogAsksNothingAndAddsNoExtension();
    void cancelledDialogGivesNoName();
    void nextDialogOpensInTheChosenFolder();
    void messageBoxesSpeakRussian();

private:
    QTemporaryDir m_folder;
    QTemporaryDir m_settings;
};

void TestQtDialogs::openDialogSpeaksRussian()
{
    const QString font = m_folder.filePath(u"font.SpecCHR"_s);
    QVERIFY(writeFile(font, QByteArray(SetBytes, '\x81')));
    QtServices services(m_settings.filePath(u"Glyphery.conf"_s));
    QString title, filters, size, date, accept;
    const DialogAnswer<QFileDialog> user([&](QFileDialog *dialog) {
        if (dialog->directory() != QDir(m_folder.path()))
            dialog->setDirectory(m_folder.path());
        size = column(dialog, font, 1);
        if (size.isEmpty())
            return; // the folder is still being read
        title = dialog->windowTitle();
        filters = dialog->nameFilters().join(u';');
        date = column(dialog, font, 3);
        accept = buttonText(dialog->findChild<QDialogButtonBox *>(), QDialogButtonBox::Open);
        choose(dialog, u"font.SpecCHR"_s);
    });
    QCOMPARE(services.openFileName(u"Open"_s, specChrFilter()), font);
    QCOMPARE(title, u"Open"_s);
    QCOMPARE(filters, u"Шрифт Spectrum (*.SpecCHR)"_s);
    QVERIFY2(size.startsWith(u"768 байт"_s), qPrintable(size));
    QVERIFY2(QRegularExpression(u"^\\d\\d\\.\\d\\d\\.\\d{4} "_s).match(date).hasMatch(),
             qPrintable(date));
    QCOMPARE(accept, u"Открыть"_s);
}

// The save command asks its own question about an existing file, and adds no extension.
void TestQtDialogs::saveDialogAsksNothingAndAddsNoExtension()
{
    const QString existing = m_folder.filePath(u"font"_s);
    QVERIFY(writeFile(existing, "old"));
    QtServices services(m_settings.filePath(u"Glyphery.conf"_s));
    QString title, filters;
    const DialogAnswer<QFileDialog> user([&](QFileDialog *dialog) {
        title = dialog->windowTitle();
        filters = dialog->nameFilters().join(u';');
        dialog->setDirectory(m_folder.path());
        choose(dialog, u"font"_s);
    });
    QCOMPARE(services.saveFileName(u"Save"_s, specChrFilter()), existing);
    QCOMPARE(title, u"Save"_s);
    QCOMPARE(filters, u"Шрифт Spectrum (*.SpecCHR)"_s);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestQtDialogs::cancelledDialogGivesNoName()
{
    QtServices services(m_settings.filePath(u"Glyphery.conf"_s));
    QString filters;
    const DialogAnswer<QFileDialog> user([&](QFileDialog *dialog) {
        filters = dialog->nameFilters().join(u';');
        dialog->reject();
    });
    QCOMPARE(services.openFileName(u"Open"_s, gphFilter()), QString());
    QCOMPARE(filters, u"Шрифт Spectrum формата gph (*.gph)"_s);
}

// The first dialog opens in the home folder, each next one where the user last chose a file.
void TestQtDialogs::nextDialogOpensInTheChosenFolder()
{
    QtServices services(m_settings.filePath(u"Glyphery.conf"_s));
    QStringList folders;
    const DialogAnswer<QFileDialog> user([&](QFileDialog *dialog) {
        folders.append(dialog->directory().absolutePath());
        if (folders.size() == 1) {
            dialog->setDirectory(m_folder.path());
            choose(dialog, u"new.SpecCHR"_s);
        } else {
            dialog->reject();
        }
    });
    QCOMPARE(services.saveFileName(u"Save"_s, specChrFilter()),
             m_folder.filePath(u"new.SpecCHR"_s));
    QCOMPARE(services.openFileName(u"Open"_s, gphFilter()), QString());
    QCOMPARE(services.openFileName(u"Open"_s, specChrFilter()), QString());
    QCOMPARE(folders, QStringList({QDir::homePath(), m_folder.path(), m_folder.path()}));
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
