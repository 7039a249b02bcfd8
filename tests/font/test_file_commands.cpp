// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editor_state.h"
#include "font/file_commands.h"
#include "font/gph.h"
#include "font/specchr.h"
#include "support/recording_view.h"
#include "support/scripted_services.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <QTest>

#include <functional>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// One run of a command. File names are relative to the test folder.
struct Row
{
    QString command {};
    bool modified = true;
    QString fileName = u"*"_s; // the font's file before the command
    QList<MessageAnswer> answers {}; // to the questions, in the order they are asked
    QStringList dialogs {}; // "open:name" or "save:name" in order; no name cancels the dialog
    bool goesOn = true; // false: the command stops, and the state and every file are as before
    QString saved {}; // the file that receives the font as it was
    bool fails = false; // an error message names the file of the only dialog
};

// Every entry of the folder with its content; a folder's content is empty.
QMap<QString, QByteArray> contents(const QDir &folder)
{
    QMap<QString, QByteArray> entries;
    for (const QString &name : folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        QFile file(folder.filePath(name));
        entries.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return entries;
}

// lastSet, currentSet, currentChar, modified and the file name relative to the folder.
QString selection(const FontStore &font, const QDir &folder)
{
    return QString::asprintf("%d %d %d %d ", font.lastSet, font.currentSet, font.currentChar,
                             int(font.modified))
        + folder.relativeFilePath(font.fileName);
}

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT
private slots:
    void command_data();
    void command();
};

void TestFileCommands::command_data()
{
    using A = MessageAnswer;
    QTest::addColumn<Row>("row");
    for (const QString &command : {u"New"_s, u"Open"_s}) {
        const auto add = [&command](const char *name, Row row) {
            row.command = command;
            if (row.goesOn && command == u"Open")
                row.dialogs.append(u"open:open"_s);
            QTest::addRow("%s: %s", qPrintable(command), name) << row;
        };
        add("not modified, no question", {.modified = false});
        add("Cancel stops", {.answers = {A::Cancel}, .goesOn = false});
        add("No goes on unsaved", {.answers = {A::No}});
        add("Yes saves to the file",
            {.fileName = u"current"_s, .answers = {A::Yes}, .saved = u"current"_s});
        add("Yes, Save As cancelled stops",
            {.answers = {A::Yes}, .dialogs = {u"save:"_s}, .goesOn = false});
        add("Yes, replace answered No stops",
            {.answers = {A::Yes, A::No}, .dialogs = {u"save:three"_s}, .goesOn = false});
        add("Yes, replace answered Yes saves",
            {.answers = {A::Yes, A::Yes}, .dialogs = {u"save:three"_s}, .saved = u"three"_s});
        add("Yes, the write fails: stops",
            {.answers = {A::Yes}, .dialogs = {u"save:folder"_s}, .goesOn = false, .fails = true});
    }
    const auto add = [](const char *name, const QString &command, const QString &dialog, Row row) {
        row.command = command;
        row.dialogs = {dialog};
        QTest::newRow(name) << row;
    };
    QTest::newRow("Save writes when not modified") << Row {
        .command = u"Save"_s, .modified = false, .fileName = u"current"_s, .saved = u"current"_s};
    add("Open cancelled", u"Open"_s, u"open:"_s, {.modified = false, .goesOn = false});
    add("Save As to a new file: no question, no extension", u"Save As"_s, u"save:font"_s,
        {.saved = u"font"_s});
    add("Save As over an empty file: no question", u"Save As"_s, u"save:empty"_s,
        {.saved = u"empty"_s});
    add("Save As over one byte, No: kept", u"Save As"_s, u"save:one byte"_s,
        {.answers = {A::No}, .goesOn = false});
    add("Save As of one set over three, Yes: 768 bytes", u"Save As"_s, u"save:three"_s,
        {.answers = {A::Yes}, .saved = u"three"_s});
    add("gph cancelled", u"gph"_s, u"open:"_s, {.modified = false, .goesOn = false});
    add("gph import", u"gph"_s, u"open:font.gph"_s, {.modified = false, .fileName = u"current"_s});
    add("gph refused, %2 in the path shown as it is", u"gph"_s, u"open:100%2.gph"_s,
        {.modified = false, .goesOn = false, .fails = true});
}

void TestFileCommands::command()
{
    QFETCH(Row, row);
    QTemporaryDir tempDir;
    const QDir dir(tempDir.path());
    const QMap<QString, QByteArray> files = {
        {u"current"_s, randomBytes(SetBytes, 1)},
        {u"open"_s, randomBytes(MaxFontBytes, 2)},
        {u"three"_s, randomBytes(3 * SetBytes, 3)},
        {u"one byte"_s, "x"},
        {u"empty"_s, {}},
        {u"font.gph"_s, QByteArray(1, '\2') + QByteArray(3 * GphSetBytes, '\5')}, // all ink
        {u"100%2.gph"_s, QByteArray(1, '\x40') + randomBytes(GphSetBytes, 5)},
    };
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        QFile file(dir.filePath(it.key()));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(it.value()) == it.value().size());
    }
    QVERIFY(dir.mkdir(u"folder"_s));

    // Random pixels in all 64 sets. Three sets for New, so that it visibly makes one, else one,
    // so that a save over three must shorten it.
    auto state = std::make_unique<EditorState>();
    RecordingView view;
    ScriptedServices services;
    FileCommands commands(state->font, state->EditGrid, view, services);
    FontStore &font = state->font;
    decodeSpecChr(randomBytes(MaxFontBytes, 6), font);
    font.lastSet = row.command == u"New" ? 2 : 0;
    font.currentChar = 40;
    font.fileName = row.fileName == u"*" ? row.fileName : dir.filePath(row.fileName);
    font.modified = row.modified;
    const auto before = std::make_unique<EditorState>(*state);
    QMap<QString, QByteArray> expectedFiles = contents(dir);
    if (!row.saved.isEmpty())
        expectedFiles.insert(row.saved, encodeSpecChr(font));
    services.answers.append(row.answers);
    for (const QString &dialog : row.dialogs) {
        const QString name = dialog.section(u':', 1);
        services.fileNames.enqueue(name.isEmpty() ? name : dir.filePath(name));
    }
    const QHash<QString, std::function<void()>> run = {
        {u"New"_s, [&] { commands.mnuFileNew(); }},
        {u"Open"_s, [&] { commands.mnuFileOpen(); }},
        {u"Save"_s, [&] { commands.mnuFileSave(); }},
        {u"Save As"_s, [&] { commands.mnuFileSaveAs(); }},
        {u"gph"_s, [&] { commands.gphload(); }},
    };
    run[row.command]();

    QVERIFY(services.allAnswered());
    for (qsizetype i = 0; i < row.dialogs.size(); ++i) {
        const ScriptedServices::Dialog &dialog = services.dialogs[i];
        const bool open = row.dialogs[i].startsWith(u"open:");
        const bool gph = open && row.command == u"gph";
        QCOMPARE(dialog.kind, open ? u"open"_s : u"save"_s);
        QCOMPARE(dialog.title, open ? u"Open"_s : u"Save"_s);
        QCOMPARE(dialog.filter.description,
                 gph ? u"Шрифт Spectrum формата gph (*.gph)"_s : u"Шрифт Spectrum (*.SpecCHR)"_s);
        QCOMPARE(dialog.filter.pattern, gph ? u"*.gph"_s : u"*.SpecCHR"_s);
    }
    // The questions in turn, the first about unsaved changes when there are any; then the error.
    const QList<ScriptedServices::Message> &messages = services.messages;
    const QString failing = dir.filePath(row.dialogs.value(0).section(u':', 1));
    QCOMPARE(messages.size(), row.answers.size() + (row.fails ? 1 : 0));
    for (qsizetype i = 0; i < messages.size(); ++i) {
        const bool error = i == row.answers.size();
        const bool askSave = i == 0 && row.modified && !row.command.startsWith(u"Save");
        QCOMPARE(messages[i].title,
                 askSave && row.command == u"New" ? u"Создание нового шрифта"_s : u"Glyphery"_s);
        QCOMPARE(messages[i].buttons,
                 error         ? MessageButtons::Ok
                     : askSave ? MessageButtons::YesNoCancel
                               : MessageButtons::YesNo);
        if (error)
            QVERIFY2(messages[i].text.contains(failing), qPrintable(messages[i].text));
        else
            QCOMPARE(messages[i].text,
                     askSave ? u"Сохранить изменения?"_s
                             : u"Файл с таким именем существует, заменить?"_s);
    }
    QCOMPARE(contents(dir), expectedFiles);

    // A new font is in with character 1 of set 0 in the edit square; New keeps every pixel.
    const bool newFont = row.goesOn && !row.command.startsWith(u"Save");
    const QString after = row.command == u"New" ? u"0 0 1 0 *"_s
        : row.command == u"Open"                ? u"63 0 1 0 open"_s
        : row.command == u"gph"                 ? u"2 0 1 0 *"_s
                                                : u"0 0 40 0 "_s + row.saved;
    QCOMPARE(selection(font, dir), row.goesOn ? after : selection(before->font, dir));
    QVERIFY(state->EditGrid == (newFont ? font.glyph(0, 1) : before->EditGrid));
    QVERIFY(!newFont || view.fontRedraws > 0);
    if (newFont && row.command == u"Open")
        QCOMPARE(encodeSpecChr(font), files[u"open"_s]);
    else if (newFont && row.command == u"gph")
        QCOMPARE(encodeSpecChr(font), QByteArray(3 * SetBytes, '\xff'));
    else
        QVERIFY(font.FontPixels == before->font.FontPixels);
}

} // namespace Glyphery

QTEST_GUILESS_MAIN(Glyphery::TestFileCommands)
#include "support/test_files.h"
#include "test_file_commands.moc"
