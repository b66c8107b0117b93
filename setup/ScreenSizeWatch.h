#pragma once

#include <QObject>
#include <QSize>

#include <functional>

// Notices on each tick of the setup clock that the screen has changed size (a projector plugged
// in, a new resolution): slide pictures and the launch screen are made for the new size.
class ScreenSizeWatch : public QObject
{
    Q_OBJECT

public:
    explicit ScreenSizeWatch(std::function<QSize()> screenSize, QObject* parent = nullptr);

    // The first size seen is the one everything was made for; only later changes count.
    void tick();

signals:
    void resized(QSize size);

private:
    std::function<QSize()> m_screenSize;
    QSize m_seen;
};
