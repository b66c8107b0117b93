#include "livecast/FtpListingText.h"

#include <gtest/gtest.h>

using L = FtpListingText;

// A listing as the server gives it: folders with "/", the server's own creator.INI, and a last
// line that was never ended, which is no entry.
TEST(FtpListingTextTest, OnlyLinesEndedByCrLfAreEntriesAndRemoveLineTakesAWholeOne)
{
    const QString listing = "./\r\n../\r\ncreator.INI\r\nJane_Doe/\r\nh1.swf\r\n\r\np11.swf\r\nr9";
    EXPECT_EQ(L::countFiles(listing), 3); // creator.INI, h1.swf, p11.swf
    EXPECT_EQ(L::firstFile(listing), "h1.swf");
    EXPECT_EQ(L::firstFolder(listing), "Jane_Doe/");
    EXPECT_FALSE(L::hasNoFolders(listing));
    EXPECT_TRUE(L::folderExists(listing, "Jane_Doe"));
    EXPECT_FALSE(L::folderExists(listing, "Jane"));
    EXPECT_EQ(L::fileExists(listing, "p11.swf"), "True");
    EXPECT_EQ(L::fileExists(listing, "r9"), "False");
    EXPECT_EQ(L::fileExists(listing, "p1"), "False");

    for (const QString& none : {QString(), QString("h1.swf"), QString("./\r\n../\r\n")}) {
        EXPECT_EQ(L::countFiles(none), 0);
        EXPECT_EQ(L::firstFile(none), "");
        EXPECT_EQ(L::firstFolder(none), "");
        EXPECT_TRUE(L::hasNoFolders(none));
        EXPECT_EQ(L::fileExists(none, "h1.swf"), "False");
    }
    EXPECT_EQ(L::firstFile("creator.INI\r\nA/\r\n"), "");
    EXPECT_EQ(L::blanksToUnderscores("Jane  van Doe"), "Jane__van_Doe");

    // Working a listing off one deleted file at a time: a whole line goes, never the end of
    // another name, and an absent line changes nothing.
    const QString lines = "creator.INI\r\n11.swf\r\n1.swf\r\n1.swf\r\nA/\r\n";
    EXPECT_EQ(L::removeLine(lines, "1.swf"), "creator.INI\r\n11.swf\r\n1.swf\r\nA/\r\n");
    EXPECT_EQ(L::removeLine(lines, "r.INI"), lines);
    EXPECT_EQ(L::removeLine(lines, "A/"), "creator.INI\r\n11.swf\r\n1.swf\r\n1.swf\r\n");
    EXPECT_EQ(L::removeLine(lines, "creator.INI"), "11.swf\r\n1.swf\r\n1.swf\r\nA/\r\n");
}
