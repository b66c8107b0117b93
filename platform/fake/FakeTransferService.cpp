#include "platform/fake/FakeTransferService.h"

#include "platform/FtpSession.h"

#include <QMetaObject>

namespace {

// Completes every command on the next turn of the event loop and writes it into the list.
class FakeFtpSession : public FtpSession
{
public:
    explicit FakeFtpSession(QStringList& lines) : m_lines(lines) {}

    using FtpSession::execute;
    void execute(const FtpCommand& command, Done done) override
    {
        m_lines << command.toLine();
        QMetaObject::invokeMethod(
            this, [done = std::move(done)] { done(TransferResult::completedWith()); },
            Qt::QueuedConnection);
    }
    void cancel() override {}

private:
    QStringList& m_lines;
};

} // namespace

TransferService::RequestId FakeTransferService::get(const QString& url, QObject* receiver,
                                                    Done done)
{
    m_urls << url;
    const Waiting query{++m_lastId, receiver, std::move(done)};
    if (m_answers.isEmpty())
        m_waiting << query;
    else
        answerLater(query, m_answers.takeFirst());
    return query.id;
}

void FakeTransferService::cancel(RequestId id)
{
    for (qsizetype i = 0; i < m_waiting.size(); ++i) {
        if (m_waiting[i].id == id) {
            ++m_cancelled;
            answerLater(m_waiting.takeAt(i), TransferResult::cancellation());
            return;
        }
    }
}

bool FakeTransferService::answerWaiting(const TransferResult& result)
{
    if (m_waiting.isEmpty())
        return false;
    answerLater(m_waiting.takeFirst(), result);
    return true;
}

void FakeTransferService::answerLater(const Waiting& query, const TransferResult& result)
{
    QMetaObject::invokeMethod(
        this,
        [query, result] {
            if (query.receiver)
                query.done(result);
        },
        Qt::QueuedConnection);
}

std::unique_ptr<FtpSession> FakeTransferService::openFtpSession(const FtpAccount& account)
{
    m_accounts << account;
    return std::make_unique<FakeFtpSession>(m_commandLines);
}
