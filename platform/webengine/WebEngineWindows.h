#pragma once

#include "platform/WebWindows.h"

class MessageService;

// The web windows through Qt WebEngine. The Flash player's page and Ruffle come from a folder
// installed beside the program's resources.
class WebEngineWindows : public WebWindows
{
public:
    static inline const QString NoPlayerMessage =
        QStringLiteral("The Flash player is not installed.");

    // messages must outlive the windows.
    WebEngineWindows(const QString& playerFolder, MessageService& messages);

    // Before the application object exists: what Qt WebEngine needs of the process.
    static void prepareProcess();

    void showPage(const QUrl& url) override;
    void playFlash(const QString& path) override;

private:
    QString m_playerFolder;
    MessageService& m_messages;
};
