#include "LaunchRecordRows.h"
#include "ShowLogFiles.h"
#include "SlideTimings.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

TEST(LaunchRecordRows, SizeTextDividesByThousands)
{
    const std::pair<qint64, const char*> cases[] = {
        {0, "0.0KB"},           {999, "1.0KB"},           {1500, "1.5KB"},
        {999'499, "999KB"},     {1'000'000, "1.0MB"},     {25'300'000, "25MB"},
        {999'000'000, "999MB"}, {1'000'000'000, "1.0GB"}, {-5, "0.0KB"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(LaunchRecordRows::SizeText(bytes), QString::fromUtf8(text)) << bytes;
}

TEST(LaunchRecordRows, TheNewestLaunchOfAFileWinsAndGoneFilesHaveNoSize)
{
    TestFolder app;
    const QString kept = app.writeFile(QStringLiteral("b.pptx"), QByteArray(2500, 'x'));
    const QDateTime day1(QDate(2026, 3, 1), QTime(9, 0));
    const QDateTime day2(QDate(2026, 3, 2), QTime(9, 0));
    ShowLogFiles::appendLaunch(app.folder(), QStringLiteral("Zoe"), kept, day1);
    ShowLogFiles::appendLaunch(app.folder(), QStringLiteral("Al"), QStringLiteral("/gone.ppt"),
                               day1);
    ShowLogFiles::appendLaunch(app.folder(), QStringLiteral("Zoe again"), kept, day2);

    const QList<LaunchRecordRows::Row> rows = LaunchRecordRows::load(app.folder());
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].name, QStringLiteral("Al"));
    EXPECT_FALSE(rows[0].available);
    EXPECT_TRUE(rows[0].size.isEmpty());
    EXPECT_EQ(rows[1].name, QStringLiteral("Zoe again"));
    EXPECT_EQ(rows[1].date, SlideTimings::dateText(day2));
    EXPECT_TRUE(rows[1].available);
    EXPECT_EQ(rows[1].size, QStringLiteral("2.5KB"));
    EXPECT_TRUE(LaunchRecordRows::load(app.folder() + "none/").isEmpty());
}
