#pragma once

#include <QObject>
#include <QString>

class LiveCastModes;
class MessageService;
class WebcastServerSettings;

// The setup window's LiveCast menu without its widgets: entering and leaving Webcast mode,
// which items the menu offers each time it opens, the "Auto LiveCast" switch and what the
// encoder settings window shows.
class LiveCastMenu : public QObject
{
    Q_OBJECT

public:
    struct Items
    {
        bool MnuUploadSlides = false;
        bool MnuEncoderSettings = false;
        bool MnuVerifyServer = false;
        // Becomes "Verify Localhost" once the menu opens in Localhost mode, and stays so.
        QString MnuVerifyServerCaption = QStringLiteral("Verify Server");
    };
    struct EncoderValues
    {
        QString TxtFMSURL;
        QString TxtStreamName;
    };

    static inline const QString LocalhostQuestion =
        QStringLiteral("Localhost Mode enabled, switch to Webcast Mode.");
    static inline const QString ConnectQuestion =
        QStringLiteral("Connect Mode enabled, switch to Webcast Mode.");

    // Both must outlive the menu.
    LiveCastMenu(LiveCastModes& modes, MessageService& messages, QObject* parent = nullptr);

    // Webcast mode on switches it off and nothing else. Otherwise, after a Yes to leaving
    // Localhost or Connect mode when one is on, webcastWindowRequested() asks for the webcast
    // window, which switches Webcast mode on if the web service names a server.
    void MnuWebcastMode_Click();
    // The menu opens.
    void MnuLiveCast_Click();
    void MnuAutoLiveCast_Click();
    // localIpAddress: the address chosen for Localhost mode.
    EncoderValues MnuEncoderSettings_Click(const WebcastServerSettings& settings,
                                           const QString& localIpAddress) const;

    const Items& items() const { return m_items; }

signals:
    void webcastWindowRequested();

private:
    void switchToWebcast();

    LiveCastModes& m_modes;
    MessageService& m_messages;
    Items m_items;
};
