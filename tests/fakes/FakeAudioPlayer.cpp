#include "tests/fakes/FakeAudioPlayer.h"

#include <QFileInfo>

AudioPlayer::OpenResult FakeAudioPlayer::open(const QString& path)
{
    close();
    m_path = path;
    if (!QFileInfo(path).isFile())
        return OpenResult::Failed;
    m_open = true;
    return OpenResult::Ready;
}

void FakeAudioPlayer::play()
{
    if (!m_open)
        return;
    m_positionMs = 0;
    m_playing = true;
}

void FakeAudioPlayer::close()
{
    m_open = false;
    m_playing = false;
    m_positionMs = 0;
}
