#pragma once

#include <QObject>

// Which LiveCast mode is on, as the check marks of "Webcast Mode", "Localhost Mode" and
// "Connect Mode" on the setup window's LiveCast menu show it (at most one), with the two other
// LiveCast switches of that menu. Nothing of it is kept between runs.
class LiveCastModes : public QObject
{
    Q_OBJECT

public:
    enum class Mode
    {
        None,
        Webcast,
        Localhost,
        Connect
    };

    explicit LiveCastModes(QObject* parent = nullptr) : QObject(parent) {}

    Mode mode() const { return m_mode; }
    void setMode(Mode mode);
    // Switches mode off when it is the one on.
    void uncheck(Mode mode);
    // Webcast and Connect mode talk to a webcast server by FTP.
    bool usesWebcastServer() const { return m_mode == Mode::Webcast || m_mode == Mode::Connect; }

    // "Auto LiveCast": play mode exports and uploads the slides before the show.
    bool autoLiveCast() const { return m_autoLiveCast; }
    void setAutoLiveCast(bool on);
    // Whether "Localhost Settings" (MnuLHSettings) is available.
    bool localhostSettingsEnabled() const { return m_localhostSettingsEnabled; }
    void setLocalhostSettingsEnabled(bool enabled);

signals:
    void changed();

private:
    Mode m_mode = Mode::None;
    bool m_autoLiveCast = false;
    bool m_localhostSettingsEnabled = false;
};
