#pragma once

#include "show/SyncCountdown.h"

#include <QDialog>
#include <QTimer>

class QLabel;
class ShowClock;

// "Synchronise Record": a round countdown in the middle of the screen that writes a
// synchronise mark into "stagor.log", for matching the log against an outside recording.
class frmSyncRecord : public QDialog
{
    Q_OBJECT

public:
    frmSyncRecord(const QString& desktopFolder, const ShowClock& clock, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Timer1_Timer();

    QString m_desktopFolder;
    const ShowClock& m_clock;
    SyncCountdown m_countdown;
    QTimer m_timer1;
    QLabel* m_labCount;
};
