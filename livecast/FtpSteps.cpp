#include "livecast/FtpSteps.h"

#include "platform/FtpSession.h"
#include "platform/MessageService.h"
#include "platform/TransferService.h"

#include <QPointer>

FtpSteps::FtpSteps(TransferService& transfers, MessageService& messages, const FtpAccount& account,
                   QObject* parent)
    : QObject(parent), m_transfers(transfers), m_messages(messages), m_account(account)
{}

FtpSteps::~FtpSteps()
{
    if (m_session)
        m_session->cancel();
}

void FtpSteps::run(const FtpCommand& command, Then then)
{
    if (m_failed)
        return;
    if (!m_session)
        m_session = m_transfers.openFtpSession(m_account);
    m_session->execute(command, [this, then = std::move(then)](const TransferResult& result) {
        if (m_failed || result.cancelled())
            return;
        if (result.completed()) {
            then(result.body);
            return;
        }
        m_failed = true;
        m_session->cancel();
        m_messages.ask(result.error(), MsgButtons::Ok, MsgIcon::None,
                       [self = QPointer<FtpSteps>(this)](MsgAnswer) {
                           if (self)
                               emit self->failed();
                       });
    });
}

namespace {

FtpCommand onePath(FtpCommand::Verb verb, const QString& path)
{
    FtpCommand command;
    command.verb = verb;
    command.remotePath = path;
    return command;
}

} // namespace

void FtpSteps::dir(const QString& folder, Then then)
{
    run(onePath(FtpCommand::Verb::Dir, folder), std::move(then));
}

void FtpSteps::makeDir(const QString& path, Then then)
{
    run(onePath(FtpCommand::Verb::MakeDir, path), std::move(then));
}

void FtpSteps::removeDir(const QString& path, Then then)
{
    run(onePath(FtpCommand::Verb::RemoveDir, path), std::move(then));
}

void FtpSteps::remove(const QString& path, Then then)
{
    run(onePath(FtpCommand::Verb::Delete, path), std::move(then));
}

void FtpSteps::send(const QString& localFile, const QString& remotePath, Then then)
{
    FtpCommand command = onePath(FtpCommand::Verb::Send, remotePath);
    command.localPath = localFile;
    run(command, std::move(then));
}

void FtpSteps::close(Then then)
{
    run(FtpCommand(), std::move(then));
}
