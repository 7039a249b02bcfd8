// SPDX-License-Identifier: GPL-3.0-or-later
// Adding, deleting and stepping through the sets of a font. Every pixel of set s holds s + 1,
// in all 64 sets of the store, so that a set left stale, copied twice or not moved shows. None
// of the commands touches the selected character, the unsaved-changes mark or the file name,
// and only a change is redrawn.

#include "font/set_commands.h"
#include "support/recording_view.h"
#include "support/scripted_services.h"

#include <QTest>

#include <cstring>
#include <memory>
#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

struct Row
{
    int count, current;
    QString steps; // "delete:Yes" answers the question; a bare "delete" expects the refusal
    QList<int> after; // which set is where, -1 a blank one; empty: as before
    int currentAfter, redraws;
};

QList<int> upTo(int count)
{
    QList<int> sets(count);
    std::iota(sets.begin(), sets.end(), 0);
    return sets;
}

} // namespace

class TestSetCommands : public QObject
{
    Q_OBJECT
private slots:
    void command_data();
    void command();
};

void TestSetCommands::command_data()
{
    QTest::addColumn<Row>("row");
    QTest::newRow("add to one set") << Row {1, 0, u"add"_s, {0, -1}, 1, 1};
    QTest::newRow("add while the first of three") << Row {3, 0, u"add"_s, {0, 1, 2, -1}, 3, 1};
    QTest::newRow("add the 64th") << Row {63, 0, u"add"_s, upTo(63) << -1, 63, 1};
    QTest::newRow("add at 64: nothing") << Row {64, 63, u"add"_s, {}, 63, 0};
    QTest::newRow("delete the only set: refused") << Row {1, 0, u"delete"_s, {}, 0, 0};
    QTest::newRow("delete answered No") << Row {3, 1, u"delete:No"_s, {}, 1, 0};
    QTest::newRow("delete the first") << Row {3, 0, u"delete:Yes"_s, {1, 2}, 0, 1};
    QTest::newRow("delete the middle") << Row {3, 1, u"delete:Yes"_s, {0, 2}, 1, 1};
    QTest::newRow("delete the last") << Row {3, 2, u"delete:Yes"_s, {0, 1}, 1, 1};
    QTest::newRow("delete the 64th") << Row {64, 63, u"delete:Yes"_s, upTo(63), 62, 1};
    QTest::newRow("deleted, added: blank") << Row {3, 2, u"delete:Yes add"_s, {0, 1, -1}, 2, 2};
    QTest::newRow("next") << Row {3, 0, u"next"_s, {}, 1, 1};
    QTest::newRow("next at the last: nothing") << Row {3, 2, u"next"_s, {}, 2, 0};
    QTest::newRow("previous") << Row {3, 2, u"previous"_s, {}, 1, 1};
    QTest::newRow("previous at the first: nothing") << Row {3, 0, u"previous"_s, {}, 0, 0};
}

void TestSetCommands::command()
{
    QFETCH(Row, row);
    auto font = std::make_unique<FontStore>();
    for (int set = 0; set < MaxSets; ++set)
        std::memset(&font->FontPixels[toIndex(set)], set + 1, sizeof font->FontPixels[0]);
    font->lastSet = row.count - 1;
    font->currentSet = row.current;
    font->currentChar = 20;
    font->fileName = u"a.SpecCHR"_s;
    RecordingView view;
    ScriptedServices services;
    SetCommands commands(*font, view, services);
    const QHash<QString, void (SetCommands::*)()> command
        = {{u"add"_s, &SetCommands::addfont},
           {u"delete"_s, &SetCommands::delfont},
           {u"next"_s, &SetCommands::nextfont},
           {u"previous"_s, &SetCommands::prewfont}};
    QList<QString> questions;
    for (const QString &step : row.steps.split(u' ')) {
        const QString answer = step.section(u':', 1);
        if (step.startsWith(u"delete"))
            questions.append(
                answer.isEmpty()
                    ? u"В шрифте должен быть хотя бы один набор. Удалить его нельзя|Удаление|0"_s
                    : u"Удалить выбранный набор шрифта?|Удаление|1"_s);
        if (!answer.isEmpty())
            services.answers.enqueue(answer == u"Yes" ? MessageAnswer::Yes : MessageAnswer::No);
        (commands.*command[step.section(u':', 0, 0)])();
    }

    QList<int> sets; // each set's mark, -2 for a mixed one
    for (int set = 0; set <= font->lastSet; ++set) {
        const auto &pixels = font->FontPixels[toIndex(set)];
        const QByteArray bytes(reinterpret_cast<const char *>(&pixels), sizeof pixels);
        sets.append(bytes == QByteArray(bytes.size(), bytes[0]) ? uchar(bytes[0]) - 1 : -2);
    }
    QCOMPARE(sets, row.after.isEmpty() ? upTo(row.count) : row.after);
    QCOMPARE(font->currentSet, row.currentAfter);
    QList<QString> asked; // buttons: 0 OK, 1 Yes and No
    for (const ScriptedServices::Message &message : services.messages)
        asked.append(u"%1|%2|%3"_s.arg(message.text, message.title).arg(int(message.buttons)));
    QCOMPARE(asked, questions);
    QVERIFY(services.allAnswered());
    QCOMPARE(view.fontRedraws, row.redraws);
    QVERIFY(font->currentChar == 20 && !font->modified && font->fileName == u"a.SpecCHR");
}

} // namespace Glyphery

QTEST_GUILESS_MAIN(Glyphery::TestSetCommands)
#include "test_set_commands.moc"
