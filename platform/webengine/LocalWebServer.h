#pragma once

#include <QHash>
#include <QString>
#include <QTcpServer>

// A web server for one page of ours on 127.0.0.1 and a port of its own: it answers GET requests
// for the files it was given, by their path, and 404 for anything else. The player page loads
// its WebAssembly with fetch(), which file:// pages may not do.
class LocalWebServer : public QObject
{
    Q_OBJECT

public:
    explicit LocalWebServer(QObject* parent = nullptr);

    // path: "/player.html"; folder entries serve every file below the folder under prefix.
    void addFile(const QString& path, const QString& file);
    void addText(const QString& path, const QByteArray& body, const QByteArray& type);
    void addFolder(const QString& prefix, const QString& folder);
    // False when no port could be had.
    bool listen();
    QString address() const;

private:
    void answer(class QTcpSocket* socket);

    QTcpServer m_server;
    QHash<QString, QString> m_files;
    QHash<QString, QPair<QByteArray, QByteArray>> m_texts;
    QHash<QString, QString> m_folders;
};
