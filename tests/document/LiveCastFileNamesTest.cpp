#include "document/LiveCastFileNames.h"
#include "tests/fakes/TestFolder.h"

#include <gtest/gtest.h>

using N = LiveCastFileNames;

TEST(LiveCastFileNames, EachGroupIsStampedSpeakersGetAFolderWithoutBlanksAndTheLocalCopyItsOwn)
{
    const QString t = N::timeCode(QTime(14, 5, 9));
    EXPECT_EQ(t, "140509");
    EXPECT_EQ(N::timeCode(QTime(0, 0, 0)), "000000");
    EXPECT_EQ(N::holding(t), "h140509");
    EXPECT_EQ(N::popUp(0, t), "p1140509");
    EXPECT_EQ(N::popUp(9, t), "p0140509");
    EXPECT_EQ(N::rolling(12, t), "r12140509");
    EXPECT_EQ(N::speakerSlide(1, t), "1140509");
    EXPECT_EQ(N::speakerFolder("Jane  Doe "), "Jane__Doe_");

    // The local copy goes under the folder FMS.ini names, only when it exists.
    TestFolder app;
    TestFolder served;
    EXPECT_EQ(N::localCopyFolder(app.folder()), QString());
    app.writeFile("FMS.ini", (served.folder() + "\nsecond line\n").toUtf8());
    EXPECT_EQ(N::localCopyFolder(app.folder()), QDir::cleanPath(served.folder()) + "/veskCast");
    app.writeFile("FMS.ini", "/no/such/folder\n");
    EXPECT_EQ(N::localCopyFolder(app.folder()), QString());
    app.writeFile("FMS.ini", "");
    EXPECT_EQ(N::localCopyFolder(app.folder()), QString());
}
