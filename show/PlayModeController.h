#pragma once

#include "show/ShowScreenChoice.h"

#include <QObject>
#include <QString>

#include <functional>

class EventDocument;
class LiveCastHooks;
class MessageService;
class PresentationApp;
class TimingsSetting;

// Play mode's start and end, without the windows: what Play checks and prepares before the
// launch screen takes over, and what is put back when it has closed. The setup window shows
// and hides the windows around these two steps.
class PlayModeController : public QObject
{
    Q_OBJECT

public:
    // Everything passed in must outlive the controller. stopSound stops the sound test: the
    // room's sound system belongs to the talks in play mode.
    PlayModeController(EventDocument& doc, PresentationApp& shows, MessageService& messages,
                       TimingsSetting& timings, LiveCastHooks& liveCast,
                       std::function<void()> stopSound, QObject* parent = nullptr);

    bool playing() const { return m_playing; }

    // Other presentations closed (with the operator's agreement; untitled ones are kept in
    // the documents folder), the power checked, the sound test stopped, the show screen chosen
    // among screens (the setup window being on setupScreen) and handed to the presentation
    // program. The index of the show screen, or -1 when play mode does not start: it runs
    // already, or the operator kept the other presentations open.
    int start(const QList<ShowScreenChoice::Screen>& screens, int setupScreen);
    // The screen the last start chose.
    int showScreen() const { return m_showScreen; }
    // Where presentations someone made in the program and never saved are kept: the documents
    // folder, else the home folder.
    static QString untitledFolder();
    // The launch screen has closed; timingsLogged is the timings switch as it left it (Shift+T
    // may have changed it). The program comes back empty, without the shows that ran.
    void end(bool timingsLogged);

signals:
    void playingChanged(bool playing);

private:
    EventDocument& m_doc;
    PresentationApp& m_shows;
    MessageService& m_messages;
    TimingsSetting& m_timings;
    LiveCastHooks& m_liveCast;
    std::function<void()> m_stopSound;
    bool m_playing = false;
    int m_showScreen = -1;
};
