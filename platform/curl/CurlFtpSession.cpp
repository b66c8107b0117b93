#include "platform/curl/CurlFtpSession.h"

#include "platform/FtpListing.h"
#include "platform/curl/CurlDelivery.h"

#include <QFile>
#include <QSaveFile>
#include <QUrl>

#include <cstdio>

namespace {

using Context = CurlWorker::Context;
using Outcome = std::optional<TransferResult>;

// A failed command as the server put it (reply code and text) when it replied with an error,
// else as curl did.
TransferResult failureOf(const Context& context, CURLcode code)
{
    long reply = 0;
    curl_easy_getinfo(context.easy, CURLINFO_RESPONSE_CODE, &reply);
    if (reply >= 400) {
        const QByteArray prefix = QByteArray::number(reply);
        if (context.lastReply.startsWith(prefix))
            return TransferResult::failure(
                int(reply), QString::fromUtf8(context.lastReply.mid(prefix.size() + 1)).trimmed());
        return TransferResult::failure(int(reply), context.curlError(code));
    }
    return TransferResult::failure(code, context.curlError(code));
}

TransferResult curlFailure(CURLcode code, const QString& detail)
{
    return TransferResult::failure(code, QString::fromUtf8(curl_easy_strerror(code)) +
                                             QStringLiteral(": ") + detail);
}

bool holdsLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

size_t writeToFile(char* data, size_t size, size_t count, void* userData)
{
    auto* file = static_cast<QSaveFile*>(userData);
    return size_t(file->write(data, qint64(size * count)));
}

// Whether a server turned down the machine listing as a command it does not know.
bool listingRefused(const Context& context)
{
    long reply = 0;
    curl_easy_getinfo(context.easy, CURLINFO_RESPONSE_CODE, &reply);
    return reply == 500 || reply == 502;
}

} // namespace

CurlFtpSession::CurlFtpSession(const FtpAccount& account, const TransferService::Bounds& bounds,
                               QObject* parent)
    : FtpSession(parent), m_account(account), m_delivery(std::make_shared<CurlDelivery>(this)),
      m_worker(CurlWorker::Order::Serial, bounds)
{}

CurlFtpSession::~CurlFtpSession()
{
    m_delivery->ownerGone();
}

QByteArray CurlFtpSession::urlFor(const QString& accountUrl, const QString& path)
{
    QString base = accountUrl.trimmed();
    if (!base.contains(QLatin1String("://")))
        base.prepend(QLatin1String("ftp://"));
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    QByteArray encoded = QUrl::toPercentEncoding(path, "/");
    if (encoded.startsWith('/'))
        encoded.replace(0, 1, "%2F");
    return base.toUtf8() + '/' + encoded;
}

CurlWorker::Transfer CurlFtpSession::reportedHere()
{
    CurlWorker::Transfer transfer;
    transfer.done = [delivery = m_delivery, this](CurlWorker::Id id, const TransferResult& result) {
        delivery->post([this, id, result] { deliver(id, result); });
    };
    return transfer;
}

void CurlFtpSession::refuse(const TransferResult& result, Done done)
{
    CurlWorker::Transfer transfer = reportedHere();
    transfer.setUp = [result](Context&) -> Outcome { return result; };
    m_pending[m_worker.submit(std::move(transfer))] = std::move(done);
}

void CurlFtpSession::execute(const FtpCommand& command, Done done)
{
    CurlWorker::Transfer transfer = reportedHere();

    if (command.verb == FtpCommand::Verb::Close) {
        transfer.closeConnections = true;
        m_pending[m_worker.submit(std::move(transfer))] = std::move(done);
        return;
    }

    const QByteArray user = m_account.userName.toUtf8();
    const QByteArray password = m_account.password.toUtf8();
    const FtpCommand::Verb verb = command.verb;
    const QString remote = command.remotePath;
    const QString local = command.localPath;
    QString listedPath = remote;
    if (verb == FtpCommand::Verb::Dir && !listedPath.isEmpty() &&
        !listedPath.endsWith(QLatin1Char('/')))
        listedPath += QLatin1Char('/');
    // These go to the server as commands of their own, with the path in them; the URL only
    // names the server.
    const bool pathInCommand = verb == FtpCommand::Verb::MakeDir ||
                               verb == FtpCommand::Verb::RemoveDir ||
                               verb == FtpCommand::Verb::Delete;
    const QByteArray url = urlFor(m_account.url, pathInCommand ? QString() : listedPath);
    // A GET's file, made on the worker's thread when the command's turn comes.
    auto download = std::make_shared<std::unique_ptr<QSaveFile>>();

    transfer.setUp = [=](Context& context) -> Outcome {
        CURL* easy = context.easy;
        if (holdsLineBreak(remote) || holdsLineBreak(local))
            return TransferResult::failure(501, QStringLiteral("A path holds a line break"));
        curl_easy_setopt(easy, CURLOPT_URL, url.constData());
        curl_easy_setopt(easy, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(easy, CURLOPT_PASSWORD, password.constData());
        curl_easy_setopt(easy, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_NOCWD));
        switch (verb) {
        case FtpCommand::Verb::Dir:
            // The machine listing says plainly which entries are folders; a server that does
            // not know it is asked for the classic listing instead.
            if (context.attempt == 0)
                curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, "MLSD");
            break;
        case FtpCommand::Verb::MakeDir:
        case FtpCommand::Verb::RemoveDir:
        case FtpCommand::Verb::Delete: {
            const char* word = verb == FtpCommand::Verb::MakeDir     ? "MKD "
                               : verb == FtpCommand::Verb::RemoveDir ? "RMD "
                                                                     : "DELE ";
            curl_slist* commands =
                curl_slist_append(nullptr, (QByteArray(word) + remote.toUtf8()).constData());
            context.atEnd.push_back([commands] { curl_slist_free_all(commands); });
            curl_easy_setopt(easy, CURLOPT_QUOTE, commands);
            curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
            break;
        }
        case FtpCommand::Verb::Send: {
            std::FILE* file = std::fopen(QFile::encodeName(local).constData(), "rb");
            if (!file)
                return curlFailure(CURLE_READ_ERROR, local);
            context.atEnd.push_back([file] { std::fclose(file); });
            std::fseek(file, 0, SEEK_END);
            const long size = std::ftell(file);
            std::fseek(file, 0, SEEK_SET);
            curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
            curl_easy_setopt(easy, CURLOPT_READDATA, file);
            curl_easy_setopt(easy, CURLOPT_INFILESIZE_LARGE, curl_off_t(size));
            break;
        }
        case FtpCommand::Verb::Get: {
            *download = std::make_unique<QSaveFile>(local);
            if (!(*download)->open(QIODevice::WriteOnly))
                return curlFailure(CURLE_WRITE_ERROR, local);
            // Not committed by then, the partial file is thrown away.
            context.atEnd.push_back([download] { download->reset(); });
            curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, writeToFile);
            curl_easy_setopt(easy, CURLOPT_WRITEDATA, download->get());
            break;
        }
        case FtpCommand::Verb::Size:
            curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
            break;
        case FtpCommand::Verb::Close:
            break;
        }
        return std::nullopt;
    };

    transfer.finish = [verb, local, download](Context& context, CURLcode code) -> Outcome {
        if (code != CURLE_OK) {
            if (verb == FtpCommand::Verb::Dir && context.attempt == 0 && listingRefused(context))
                return std::nullopt;
            return failureOf(context, code);
        }
        switch (verb) {
        case FtpCommand::Verb::Dir:
            return TransferResult::completedWith(context.attempt == 0
                                                     ? FtpListing::fromMlsd(context.body)
                                                     : FtpListing::fromList(context.body));
        case FtpCommand::Verb::Size: {
            curl_off_t size = -1;
            curl_easy_getinfo(context.easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
            if (size < 0)
                return failureOf(context, CURLE_REMOTE_FILE_NOT_FOUND);
            return TransferResult::completedWith(QString::number(size));
        }
        case FtpCommand::Verb::Get:
            if (!(*download)->commit())
                return curlFailure(CURLE_WRITE_ERROR, local);
            break;
        default:
            break;
        }
        return TransferResult::completedWith();
    };

    m_pending[m_worker.submit(std::move(transfer))] = std::move(done);
}

void CurlFtpSession::cancel()
{
    m_worker.cancelAll();
}

void CurlFtpSession::deliver(CurlWorker::Id id, const TransferResult& result)
{
    const auto it = m_pending.find(id);
    if (it == m_pending.end())
        return;
    const Done done = std::move(it->second);
    m_pending.erase(it);
    if (done)
        done(result);
}
