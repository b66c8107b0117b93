#pragma once

#include <QTimer>
#include <QWidget>

class EventDocument;
class LaunchController;
class LiveCastPanel;
class QLabel;
class QMenu;
class ShowClock;

// The full-screen launch screen of play mode. It draws the holding slide, a pop-up or nothing
// (blanked), flashes the overlay labels and turns keys, clicks and menu items into the key codes
// of LaunchController. The controller reaches the presentation program only through a show port
// that works off this thread, so the window keeps painting and taking keys while a presentation
// opens.
class frmLaunch : public QWidget
{
    Q_OBJECT

public:
    // The controller and what it runs on are built by whoever opens play mode and outlive the
    // window.
    frmLaunch(LaunchController& controller, const EventDocument& doc, const ShowClock& clock,
              QWidget* parent = nullptr);
    ~frmLaunch() override;

    LaunchController& controller() { return *m_controller; }
    LiveCastPanel* liveCastPanel() const { return m_liveCastPanel; }
    // Repaints the screen from the picture the controller names.
    void Build_Screen();

signals:
    // F1 or the Setup item: play mode is over; the window closes itself afterwards.
    void playModeEnded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Back in front with the keyboard once a show has gone, so the remote's next key is ours.
    void takeKeysBack();
    void refresh();
    void popUpLauncherMenu(const QPoint& globalPosition);
    void buildLauncherMenu(QMenu& menu);
    void layOutOverlays();

    LaunchController* m_controller;
    const EventDocument& m_doc;
    const ShowClock& m_clock;
    QTimer m_timer1;     // show watcher
    QTimer m_timAutoRun; // auto run
    QTimer m_timSpeaker; // hides the overlays
    QLabel* m_labSName;
    QLabel* m_labTimings;
    QLabel* m_labAutoRun;
    QLabel* m_labResolution;
    QLabel* m_picRecordIcon;
    QLabel* m_picPPLoading;
    QLabel* m_labStatus;
    LiveCastPanel* m_liveCastPanel;
    bool m_ended = false;
    // A show was running or coming up at the last refresh.
    bool m_showing = false;
};
