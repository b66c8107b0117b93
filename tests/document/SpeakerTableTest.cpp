#include "document/SpeakerTable.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

QStringList names(const SpeakerTable& table)
{
    QStringList list;
    for (int k = 0; k < table.count(); ++k)
        list << table[size_t(k)].Name;
    return list;
}

SpeakerRecord named(const QString& name)
{
    return {name, {}, QStringLiteral("/talks/") + name + QStringLiteral(".pptx"), {}};
}

} // namespace

// Each change is announced once, moves land where asked, what is out of range changes nothing,
// a full table drops its last speaker on an insertion, and a table that takes another's
// contents keeps its own listener.
TEST(SpeakerTable, EveryChangeIsAnnouncedOnceAndTheTableKeepsItsShape)
{
    SpeakerTable table;
    int announced = 0;
    table.setChangeListener([&] { ++announced; });
    for (const char* name : {"A", "B", "C", "D"})
        table.append(named(name));

    table.MoveSpeaker(0, 2);
    EXPECT_EQ(names(table), (QStringList{"B", "C", "A", "D"}));
    table.MoveSpeaker(3, 0);
    EXPECT_EQ(names(table), (QStringList{"D", "B", "C", "A"}));
    EXPECT_EQ(announced, 6);
    for (int bad : {-1, 4}) {
        table.RemoveSpeakerAt(bad);
        table.MoveSpeaker(bad, 0);
    }
    EXPECT_EQ(announced, 6) << "nothing out of range";
    table.RemoveSpeakerAt(0);
    EXPECT_EQ(names(table), (QStringList{"B", "C", "A"}));
    EXPECT_TRUE(table[3].Name.isEmpty()) << "the place left is emptied";
    EXPECT_EQ(table.FindSpeakerByName("a"), 2);
    EXPECT_EQ(table.CountSpeakersUsingFile("/TALKS/c.pptx"), 1);

    SpeakerTable full;
    for (int k = 0; k < SpeakerTable::Size; ++k)
        full.append(named(QString::number(k)));
    full.InsertSpeakerAt(named("new"), 0);
    EXPECT_EQ(full[0].Name, "new");
    EXPECT_EQ(full[size_t(SpeakerTable::Size - 1)].Name, QString::number(SpeakerTable::Size - 2));

    const int before = announced;
    table = full;
    EXPECT_EQ(announced, before + 1);
    table.clear();
    EXPECT_EQ(announced, before + 2);
    EXPECT_TRUE(table.isEmpty());
}
