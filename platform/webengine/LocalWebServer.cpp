#include "platform/webengine/LocalWebServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTcpSocket>

namespace {

QByteArray typeOf(const QString& path)
{
    if (path.endsWith(QLatin1String(".js")))
        return "text/javascript";
    if (path.endsWith(QLatin1String(".wasm")))
        return "application/wasm";
    if (path.endsWith(QLatin1String(".html")))
        return "text/html; charset=utf-8";
    if (path.endsWith(QLatin1String(".swf")))
        return "application/x-shockwave-flash";
    return "application/octet-stream";
}

void reply(QTcpSocket* socket, const char* status, const QByteArray& type, const QByteArray& body)
{
    socket->write(QByteArray("HTTP/1.1 ") + status + "\r\nContent-Type: " + type +
                  "\r\nContent-Length: " + QByteArray::number(body.size()) +
                  "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}

} // namespace

LocalWebServer::LocalWebServer(QObject* parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
        }
    });
}

void LocalWebServer::addFile(const QString& path, const QString& file)
{
    m_files.insert(path, file);
}

void LocalWebServer::addText(const QString& path, const QByteArray& body, const QByteArray& type)
{
    m_texts.insert(path, {body, type});
}

void LocalWebServer::addFolder(const QString& prefix, const QString& folder)
{
    m_folders.insert(prefix, folder);
}

bool LocalWebServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

QString LocalWebServer::address() const
{
    return QStringLiteral("http://127.0.0.1:") + QString::number(m_server.serverPort());
}

void LocalWebServer::answer(QTcpSocket* socket)
{
    // The request line is all that matters; the page asks for nothing larger than one read.
    if (!socket->canReadLine())
        return;
    const QList<QByteArray> request = socket->readLine().trimmed().split(' ');
    socket->readAll();
    if (request.size() < 2 || request[0] != "GET") {
        reply(socket, "405 Method Not Allowed", "text/plain", "");
        return;
    }
    QString path = QString::fromUtf8(QByteArray::fromPercentEncoding(request[1]));
    path = path.left(path.indexOf(QLatin1Char('?')) < 0 ? path.size()
                                                        : path.indexOf(QLatin1Char('?')));
    if (const auto text = m_texts.constFind(path); text != m_texts.constEnd()) {
        reply(socket, "200 OK", text->second, text->first);
        return;
    }
    QString file = m_files.value(path);
    for (auto folder = m_folders.constBegin(); file.isEmpty() && folder != m_folders.constEnd();
         ++folder) {
        if (!path.startsWith(folder.key()))
            continue;
        // Nothing outside the folder, whatever the path says.
        const QString inside =
            QDir::cleanPath(folder.value() + QLatin1Char('/') + path.mid(folder.key().size()));
        if (inside.startsWith(QDir::cleanPath(folder.value()) + QLatin1Char('/')))
            file = inside;
    }
    QFile content(file);
    if (file.isEmpty() || !QFileInfo(file).isFile() || !content.open(QIODevice::ReadOnly)) {
        reply(socket, "404 Not Found", "text/plain", "");
        return;
    }
    reply(socket, "200 OK", typeOf(file), content.readAll());
}
