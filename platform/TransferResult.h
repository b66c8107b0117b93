#pragma once

#include <QString>

// How one request through the transfer service ended. A failure carries what the operator is
// shown: curl's error code and text, or the FTP server's reply code and text.
struct TransferResult
{
    enum class Outcome
    {
        Completed,
        Failed,
        Cancelled
    };

    Outcome outcome = Outcome::Completed;
    // An HTTP query's body; a folder listing (one entry a line, each ended by CR LF, folders with
    // a trailing "/"); a file's size in bytes as decimal text; empty for the other commands.
    QString body;
    int code = 0;
    QString text;

    bool completed() const { return outcome == Outcome::Completed; }
    bool failed() const { return outcome == Outcome::Failed; }
    bool cancelled() const { return outcome == Outcome::Cancelled; }
    // The line the operator reads: "ErrorCode: " code " : " text.
    QString error() const
    {
        return QStringLiteral("ErrorCode: ") + QString::number(code) + QStringLiteral(" : ") + text;
    }

    static TransferResult completedWith(const QString& body = QString())
    {
        return {Outcome::Completed, body, 0, QString()};
    }
    static TransferResult failure(int code, const QString& text)
    {
        return {Outcome::Failed, QString(), code, text};
    }
    static TransferResult cancellation()
    {
        return {Outcome::Cancelled, QString(), 0, QStringLiteral("Cancelled")};
    }
};
