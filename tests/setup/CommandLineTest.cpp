#include "setup/CommandLine.h"

#include <gtest/gtest.h>

// The folder option and a file as separate arguments: e2e.play_mode. Opening each kind of file
// from the command line: SetupControllerTest and SetupWindowTest.
TEST(CommandLineTest, QuotedFileFolderOptionWithItsValueAttachedAndTheFileKind)
{
    const CommandLine line = CommandLine::parse({"\"/data/My Event.evf\"", "--app-folder=/x"});
    EXPECT_EQ(line.file, "/data/My Event.evf");
    EXPECT_EQ(line.appFolder, "/x");
    EXPECT_EQ(CommandLine::kindOf("/a/Event.EVF"), CommandLine::FileKind::EventFile);
    EXPECT_EQ(CommandLine::kindOf("/a/Event.zev"), CommandLine::FileKind::ZippedEvent);
    EXPECT_EQ(CommandLine::kindOf("/a/Talk.ppt"), CommandLine::FileKind::Unknown);
}
