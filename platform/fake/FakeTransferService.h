#pragma once

#include "platform/TransferService.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

// Answers HTTP queries from a script and records them. A query without a scripted answer waits
// until the test answers it or it is cancelled; answers always come later, as the real ones do.
// FTP sessions record their commands in commandLines() and complete them at once.
class FakeTransferService : public QObject, public TransferService
{
    Q_OBJECT

public:
    RequestId get(const QString& url, QObject* receiver, Done done) override;
    void cancel(RequestId id) override;
    std::unique_ptr<FtpSession> openFtpSession(const FtpAccount& account) override;

    // The next query is answered with result.
    void queueAnswer(const TransferResult& result) { m_answers << result; }
    // Answers the oldest waiting query; false when none waits.
    bool answerWaiting(const TransferResult& result);
    int waitingQueries() const { return int(m_waiting.size()); }
    const QStringList& urls() const { return m_urls; }
    int cancelled() const { return m_cancelled; }

    QStringList& commandLines() { return m_commandLines; }
    const QList<FtpAccount>& accounts() const { return m_accounts; }

private:
    struct Waiting
    {
        RequestId id;
        QPointer<QObject> receiver;
        Done done;
    };

    void answerLater(const Waiting& query, const TransferResult& result);

    QList<TransferResult> m_answers;
    QList<Waiting> m_waiting;
    QStringList m_urls;
    RequestId m_lastId = 0;
    int m_cancelled = 0;
    QStringList m_commandLines;
    QList<FtpAccount> m_accounts;
};
