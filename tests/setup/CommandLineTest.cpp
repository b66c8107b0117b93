#include "setup/CommandLine.h"
#include "document/FileKind.h"

#include <gtest/gtest.h>

// The folder option and a file as separate arguments: e2e.play_mode. Opening each kind of file
// from the command line: SetupControllerTest and SetupWindowTest.
TEST(CommandLineTest, QuotedFileFolderOptionWithItsValueAttachedAndTheFileKind)
{
    const CommandLine line = CommandLine::parse({"\"/data/My Event.evf\"", "--app-folder=/x"});
    EXPECT_EQ(line.file, "/data/My Event.evf");
    EXPECT_EQ(line.appFolder, "/x");
    EXPECT_EQ(fileKindOf("/a/Event.EVF"), FileKind::EventFile);
    EXPECT_EQ(fileKindOf("/a/Event.zev"), FileKind::ZippedEvent);
    EXPECT_EQ(fileKindOf("/a/Set.evp"), FileKind::PopUpsFile);
    EXPECT_EQ(fileKindOf("/a/Talk.PPTX"), FileKind::Presentation);
    EXPECT_EQ(fileKindOf("/a/Talk.pps"), FileKind::Show);
    EXPECT_EQ(fileKindOf("/a/Movie.swf"), FileKind::Flash);
    EXPECT_EQ(fileKindOf("/a/Notes.txt"), FileKind::Unknown);
}
