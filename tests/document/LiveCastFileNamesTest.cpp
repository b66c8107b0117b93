#include "document/LiveCastFileNames.h"
#include "tests/fakes/TestFolder.h"

#include <gtest/gtest.h>

using N = LiveCastFileNames;

// The holding slide's, pop-ups 1 and 3's, rolling slides' and a speaker's names are found on a
// server by ServerVerificationTest.AfterAnUploadNothingIsMissingUntilTheEventChanges.
TEST(LiveCastFileNames, EachGroupIsStampedSpeakersGetAFolderWithoutBlanksAndTheLocalCopyItsOwn)
{
    EXPECT_EQ(N::timeCode(QTime(14, 5, 9)), "140509");
    EXPECT_EQ(N::popUp(9, "140509"), "p0140509") << "the tenth pop-up is key 0";
    EXPECT_EQ(N::speakerFolder("Jane  Doe "), "Jane__Doe_");

    // The local copy goes under the folder FMS.ini names, only when it exists.
    TestFolder app;
    TestFolder served;
    EXPECT_EQ(N::localCopyFolder(app.folder()), QString());
    app.writeFile("FMS.ini", (served.folder() + "\nsecond line\n").toUtf8());
    EXPECT_EQ(N::localCopyFolder(app.folder()), QDir::cleanPath(served.folder()) + "/veskCast");
    app.writeFile("FMS.ini", "/no/such/folder\n");
    EXPECT_EQ(N::localCopyFolder(app.folder()), QString());
}
