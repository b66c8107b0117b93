#include "CommandLine.h"

#include <gtest/gtest.h>

// Opening each kind of file from the command line: SetupControllerTest and SetupWindowTest.
TEST(CommandLineTest, FolderOptionFileArgumentAndItsKind)
{
    CommandLine a = CommandLine::parse({"--app-folder", "/tmp/app", "/data/Event.evf"});
    EXPECT_EQ(a.appFolder, "/tmp/app");
    EXPECT_EQ(a.file, "/data/Event.evf");
    CommandLine b = CommandLine::parse({"\"/data/My Event.evf\"", "--app-folder=/x"});
    EXPECT_EQ(b.file, "/data/My Event.evf");
    EXPECT_EQ(b.appFolder, "/x");
    EXPECT_EQ(CommandLine::parse({"--app-folder"}).appFolder, "");
    // A lone quote character is a (strange) path, not an empty one.
    EXPECT_EQ(CommandLine::parse({"\""}).file, "\"");

    EXPECT_EQ(CommandLine::kindOf("/a/Event.EVF"), CommandLine::FileKind::EventFile);
    EXPECT_EQ(CommandLine::kindOf("/a/Event.zev"), CommandLine::FileKind::ZippedEvent);
    EXPECT_EQ(CommandLine::kindOf("/a/Talk.ppt"), CommandLine::FileKind::Unknown);
}
