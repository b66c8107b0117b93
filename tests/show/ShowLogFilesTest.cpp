#include "show/ShowLogFiles.h"
#include "show/LaunchRecordRows.h"
#include "show/SlideTimings.h"
#include "tests/fakes/TestFolder.h"

#include <gtest/gtest.h>

namespace {

const QDateTime Noon(QDate(2026, 3, 14), QTime(12, 34, 56, 500));

QString pad(const QString& text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '));
}

} // namespace

TEST(ShowLogFiles, MarksAndSpeakerTimingsAreAppendedWordForWordWithWholeSeconds)
{
    TestFolder desktop;
    const QString date = SlideTimings::dateText(Noon);
    ASSERT_TRUE(ShowLogFiles::appendTimeMark(desktop.folder(), Noon));
    SlideTimings timings;
    timings.reset(3);
    EXPECT_TRUE(timings.entry(0).isNull() && timings.entry(4).isNull()) << "no such slides";
    timings.slideSeen(1, Noon);
    timings.slideSeen(2, Noon.addSecs(65));
    timings.slideSeen(1, Noon.addSecs(70));
    ASSERT_TRUE(ShowLogFiles::appendSpeakerTiming(desktop.folder(), Noon.addSecs(80),
                                                  QStringLiteral("Ada Lovelace"),
                                                  QStringLiteral("/talks/ada.pptx"), 3, timings));
    ASSERT_TRUE(ShowLogFiles::appendSynchroniseMark(desktop.folder(), Noon));

    const QString zones = pad(date, 14) + pad(QStringLiteral("12:34:56"), 14) + "45296.5";
    const QString expected =
        QStringList{
            "[Record Time Log]",
            zones,
            "",
            "[Speaker]",
            pad(date, 14) + pad(QStringLiteral("12:34:56"), 14) + "45296",
            "Ada Lovelace, #3",
            "/talks/ada.pptx",
            pad("1", 14) + "True, 00:01:05",
            pad("2", 14) + ", 00:01:10",
            pad("3", 14),
            " ",
            "[Synchronise Record]",
            zones,
            "",
        }
            .join("\r\n") +
        "\r\n";
    EXPECT_EQ(QString::fromUtf8(desktop.readFile(ShowLogFiles::RunLogName)), expected);
    EXPECT_FALSE(ShowLogFiles::appendTimeMark(desktop.folder() + "missing/", Noon));

    // The elapsed time cuts to whole seconds and corrects midnight by 86399.
    double start = 100.9, now = 2887.2;
    EXPECT_EQ(SlideTimings::ElapsedText(start, now), QStringLiteral("00:46:27"));
    double hourStart = 0, hourEnd = 3600;
    EXPECT_EQ(SlideTimings::ElapsedText(hourStart, hourEnd), QStringLiteral("01:00:00"));
    start = 86390.5;
    now = 5.7;
    EXPECT_EQ(SlideTimings::ElapsedText(start, now), QStringLiteral("00:00:14"))
        << "5 + 86399 - 86390";

    // Record.log as launches append it and its window lists it: the newest of a file wins. Its
    // lines and a file that has gone: e2e.play_mode, e2e.accessibility, frmRecord.
    TestFolder app;
    const QString kept = app.writeFile(QStringLiteral("b.pptx"), QByteArray(2500, 'x'));
    const QDateTime day2 = Noon.addDays(1);
    ASSERT_TRUE(ShowLogFiles::appendLaunch(app.folder(), QStringLiteral("Zoe"), kept, Noon));
    ASSERT_TRUE(ShowLogFiles::appendLaunch(app.folder(), QStringLiteral("Zoe again"), kept, day2));
    const QList<LaunchRecordRows::Row> rows = LaunchRecordRows::load(app.folder());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].name, QStringLiteral("Zoe again"));
    EXPECT_EQ(rows[0].date, SlideTimings::dateText(day2));
    EXPECT_EQ(rows[0].size, QStringLiteral("2.5KB"));
}
