#include "platform/webengine/WebEngineWindows.h"

#include "platform/MessageService.h"
#include "platform/webengine/frmFlash.h"
#include "platform/webengine/frmInternetConnect.h"

#include <QApplication>
#include <QDir>

#include <unistd.h>

WebEngineWindows::WebEngineWindows(const QString& playerFolder, MessageService& messages)
    : m_playerFolder(playerFolder), m_messages(messages)
{}

void WebEngineWindows::prepareProcess()
{
    // Chromium refuses its sandbox to root, as the program runs on kiosk machines and in CI.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

void WebEngineWindows::showPage(const QUrl& url)
{
    frmInternetConnect window(url, QApplication::activeWindow());
    window.exec();
}

void WebEngineWindows::playFlash(const QString& path)
{
    frmFlash window(path, m_playerFolder, QApplication::activeWindow());
    if (!window.ready()) {
        m_messages.show(NoPlayerMessage, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    window.exec();
}
