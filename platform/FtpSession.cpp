#include "platform/FtpSession.h"

#include <QMetaObject>

void FtpSession::execute(const QString& line, Done done)
{
    if (const std::optional<FtpCommand> command = FtpCommand::parse(line)) {
        execute(*command, std::move(done));
        return;
    }
    refuse(TransferResult::failure(500, QStringLiteral("Command not understood: ") + line),
           std::move(done));
}

void FtpSession::refuse(const TransferResult& result, Done done)
{
    QMetaObject::invokeMethod(
        this, [done = std::move(done), result] { done(result); }, Qt::QueuedConnection);
}
