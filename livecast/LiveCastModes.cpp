#include "livecast/LiveCastModes.h"

void LiveCastModes::setMode(Mode mode)
{
    if (m_mode == mode)
        return;
    m_mode = mode;
    // "Localhost Settings" belongs to Localhost mode, which the two server modes replace.
    if (mode == Mode::Webcast || mode == Mode::Connect)
        m_localhostSettingsEnabled = false;
    emit changed();
}

void LiveCastModes::uncheck(Mode mode)
{
    if (m_mode == mode)
        setMode(Mode::None);
}

void LiveCastModes::setAutoLiveCast(bool on)
{
    if (m_autoLiveCast == on)
        return;
    m_autoLiveCast = on;
    emit changed();
}

void LiveCastModes::setLocalhostSettingsEnabled(bool enabled)
{
    if (m_localhostSettingsEnabled == enabled)
        return;
    m_localhostSettingsEnabled = enabled;
    emit changed();
}
