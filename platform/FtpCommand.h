#pragma once

#include <QString>

#include <optional>

// One FTP command as callers write it: "DIR folder/", "MKDIR path" (or "Mkdir path"),
// "RMDIR path", "DELETE path", "SEND local remote" (or "Send"), "GET remote local",
// "SIZE path", "CLOSE". Command words are read without regard to case.
class FtpCommand
{
public:
    enum class Verb
    {
        Dir,
        MakeDir,
        RemoveDir,
        Delete,
        Send,
        Get,
        Size,
        Close
    };

    Verb verb = Verb::Close;
    // The server side; for DIR an empty path lists the folder the account logs in to.
    QString remotePath;
    // SEND reads this file, GET writes it.
    QString localPath;

    // Two paths are split at the blank that cannot belong to the path built without blanks: a
    // SEND's local file may hold blanks (a speaker's folder), its remote path has them turned
    // into "_", so it splits at the last blank; a GET at the first. Paths in double quotes may
    // hold any blank. Nothing for a line that is no command.
    static std::optional<FtpCommand> parse(const QString& line);
    // The command line again, paths with blanks in double quotes.
    QString toLine() const;
};
