#pragma once

#include <QObject>
#include <QString>

class LiveCastModes;
class StreamingServerService;

// The window that starts the local streaming server (frmLocalhost) without its widgets: a
// status line, an eight-frame animation while it waits, and Cancel, which gives up Localhost
// mode. It closes once the server has answered, within the service's own time limit.
class LocalhostServiceStart : public QObject
{
    Q_OBJECT

public:
    static constexpr int Timer1IntervalMs = 500;
    static constexpr int TimDelayIntervalMs = 120;
    static constexpr int FrameCount = 8;

    // Both must outlive the window.
    LocalhostServiceStart(StreamingServerService& service, LiveCastModes& modes,
                          QObject* parent = nullptr);

    void Timer1_Timer();
    void TimDelay_Timer();
    void ComCancel_Click();

    const QString& LabStatus() const { return m_status; }
    int frame() const { return m_frame; }

signals:
    void changed();
    void closeRequested();

private:
    StreamingServerService& m_service;
    LiveCastModes& m_modes;
    QString m_status;
    int m_frame = 0;
    bool m_started = false;
};
