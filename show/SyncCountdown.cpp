#include "show/SyncCountdown.h"

bool SyncCountdown::Timer1_Timer()
{
    if (m_finished)
        return false;
    if (m_label == QStringLiteral("R")) {
        m_visible = !m_visible;
        if (++m_blinks == 10) {
            m_finished = true;
            return true;
        }
        return false;
    }
    if (m_label == QStringLiteral("1")) {
        m_label = QStringLiteral("R");
        m_red = true;
        return false;
    }
    m_label = QString::number(m_label.toInt() - 1);
    return false;
}
