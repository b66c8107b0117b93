#include "platform/FtpCommand.h"
#include "platform/FtpListing.h"

#include <gtest/gtest.h>

using Verb = FtpCommand::Verb;

// The lines callers write are read back; lines that are no command are refused. Every verb, in
// other cases too, plain paths with and without blanks: CurlTransferServiceTest.
TEST(FtpCommandTest, ReadsTheLinesCallersWriteRefusesTheRestAndListingsBecomeNames)
{
    // A line, then its verb, remote path and local path.
    const std::tuple<const char*, Verb, const char*, const char*> cases[] = {
        {"DIR ", Verb::Dir, "", ""},
        {"RMDIR /w/E/Old_Talk/", Verb::RemoveDir, "/w/E/Old_Talk/", ""},
        {"close", Verb::Close, "", ""},
        // A speaker's local folder keeps its blanks; the remote one has them as "_".
        {"Send /home/op/veskCast/Jane Doe/1120000.swf /w/E/Jane_Doe/1120000.swf", Verb::Send,
         "/w/E/Jane_Doe/1120000.swf", "/home/op/veskCast/Jane Doe/1120000.swf"},
        {"GET /w/E/status.inf /home/op/veskCast/status copy.inf", Verb::Get, "/w/E/status.inf",
         "/home/op/veskCast/status copy.inf"},
        {R"(SEND "/tmp/a b.txt" "/w/c d.txt")", Verb::Send, "/w/c d.txt", "/tmp/a b.txt"},
        {R"(DELETE "/w/c d.txt")", Verb::Delete, "/w/c d.txt", ""},
    };
    for (const auto& [line, verb, remote, local] : cases) {
        SCOPED_TRACE(line);
        const std::optional<FtpCommand> command = FtpCommand::parse(QString::fromUtf8(line));
        ASSERT_TRUE(command);
        EXPECT_EQ(command->verb, verb);
        EXPECT_EQ(command->remotePath, QString::fromUtf8(remote));
        EXPECT_EQ(command->localPath, QString::fromUtf8(local));
        // The line written back reads as the same command.
        const std::optional<FtpCommand> again = FtpCommand::parse(command->toLine());
        ASSERT_TRUE(again);
        EXPECT_EQ(again->verb, verb);
        EXPECT_EQ(again->remotePath, command->remotePath);
        EXPECT_EQ(again->localPath, command->localPath);
    }
    for (const char* line :
         {"", "   ", "LIST /w", "MKDIR", "DELETE ", "SIZE", "SEND /only/one", "GET /only/one",
          R"(SEND "/a b /w/c)", R"(SEND "/a" "/b" "/c")", "CLOSE now", "DIRECTORY /w"}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(FtpCommand::parse(QString::fromUtf8(line)));
    }

    // Every listing becomes one name a line, folders marked.
    const QByteArray mlsd = "type=cdir;modify=20240101120000; .\r\n"
                            "type=pdir;modify=20240101120000; ..\r\n"
                            "type=dir;modify=20240101120000; Jane_Doe\r\n"
                            "type=file;size=12;modify=20240101120000; status.inf\r\n"
                            "Type=DIR;perm=el; with blank; and semicolon\r\n"
                            "size=3;type=file; creator.INI\n"
                            "garbage-without-a-blank\r\n";
    EXPECT_EQ(FtpListing::fromMlsd(mlsd), QString("Jane_Doe/\r\nstatus.inf\r\n"
                                                  "with blank; and semicolon/\r\ncreator.INI\r\n"));
    EXPECT_EQ(FtpListing::fromMlsd(""), QString());

    // The classic listings of Unix and Windows servers.
    const QByteArray unix = "total 12\r\n"
                            "drwxr-xr-x 2 ftp ftp 4096 Jan  1 12:00 .\r\n"
                            "drwxr-xr-x 2 ftp ftp 4096 Jan  1 12:00 ..\r\n"
                            "drwxr-xr-x 2 ftp ftp 4096 Jan  1 12:00 Jane_Doe\r\n"
                            "-rw-r--r-- 1 ftp ftp   12 Dec 31  2023 status.inf\r\n"
                            "-rw-r--r-- 1 ftp ftp   12 Dec 31  2023 two  blanks.swf\r\n"
                            "lrwxrwxrwx 1 ftp ftp    9 Jan  1 12:00 latest -> Jane_Doe\r\n";
    EXPECT_EQ(FtpListing::fromList(unix),
              QString("Jane_Doe/\r\nstatus.inf\r\ntwo  blanks.swf\r\nlatest\r\n"));
    const QByteArray windows = "01-01-24  12:00PM       <DIR>          Jane_Doe\r\n"
                               "12-31-2023  09:30AM               12 status.inf\r\n";
    EXPECT_EQ(FtpListing::fromList(windows), QString("Jane_Doe/\r\nstatus.inf\r\n"));
}
