#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT (a logout, a service stop, Ctrl+C) into an ordinary end of the event
// loop, so that the program's own clean-up runs: above all, the LibreOffice it started is ended
// instead of being left behind.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    static void handle(int signal);

    QSocketNotifier* m_notifier = nullptr;
};
