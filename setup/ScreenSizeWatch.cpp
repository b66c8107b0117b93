#include "setup/ScreenSizeWatch.h"

ScreenSizeWatch::ScreenSizeWatch(std::function<QSize()> screenSize, QObject* parent)
    : QObject(parent), m_screenSize(std::move(screenSize))
{}

void ScreenSizeWatch::tick()
{
    const QSize size = m_screenSize();
    if (size == m_seen)
        return;
    const bool first = !m_seen.isValid();
    m_seen = size;
    if (!first)
        emit resized(size);
}
