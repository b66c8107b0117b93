#include "livecast/LiveStatus.h"

#include "document/LiveCastSettings.h"
#include "livecast/LiveCastModes.h"
#include "livecast/LiveStatusPublisher.h"
#include "livecast/SystemDateTimeText.h"

#include <QFile>

#include <cstdio>

namespace {

QString orEmpty(const QString& value)
{
    return value == LiveStatus::Null ? QString() : value;
}

// Written beside and renamed over the old file: a reader, the upload of the file included,
// sees the old record or the new one, never half of one. Not synced to the disk, as a saved
// settings file is: that can take the interface thread tens of milliseconds, and a status
// lost to a power cut is rewritten at the next change anyway.
bool replaceFile(const QString& path, const QStringList& lines)
{
    const QString temporary = path + QStringLiteral(".part");
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    bool written = file.write(bytes) == bytes.size();
    file.close();
    written = written && file.error() == QFileDevice::NoError;
    if (!written || std::rename(QFile::encodeName(temporary).constData(),
                                QFile::encodeName(path).constData()) != 0) {
        QFile::remove(temporary);
        return false;
    }
    return true;
}

} // namespace

LiveStatus::LiveStatus(const QString& liveCastFolder, const LiveCastSettings& marks,
                       const LiveCastModes& modes, LiveStatusPublisher* publisher,
                       std::function<QDateTime()> now, QObject* parent)
    : QObject(parent), m_folder(liveCastFolder), m_marks(marks), m_modes(modes),
      m_publisher(publisher), m_now(std::move(now))
{}

QString LiveStatus::filePath() const
{
    return m_folder + QLatin1Char('/') + LiveStatusRecord::FileName;
}

void LiveStatus::WriteLiveStatus(const QString& presenter, const QString& slide,
                                 const QString& view, const QString& scale, const QString& rolling)
{
    if (!m_activated)
        return;
    if (presenter != Null)
        m_presenter = presenter;
    if (slide != Null)
        m_slide = slide;

    LiveStatusRecord::Values values;
    values.dateTime = SystemDateTimeText::dateTime(m_now());
    values.presenter = m_presenter;
    // The local player finds its files under the streaming server's "veskCast" folder.
    if (m_modes.mode() == LiveCastModes::Mode::Localhost)
        values.presenter = m_presenter.isEmpty() ? QStringLiteral("veskCast")
                                                 : QStringLiteral("veskCast/") + m_presenter;
    values.slide = m_slide;
    values.view = orEmpty(view);
    values.scale = orEmpty(scale);
    values.rolling = orEmpty(rolling);
    values.presenterStageLeft = m_marks.PresenterStageLeft;
    values.stretchSlides = m_marks.StretchMode;
    values.ratio43 = m_marks.VideoRatio43;
    values.hidePlayerControls = m_marks.PlayerControls;

    if (!replaceFile(filePath(), LiveStatusRecord::lines(values))) {
        emit writeFailed(filePath());
        return;
    }
    emit written();
    if (m_publisher && m_modes.usesWebcastServer())
        m_publisher->publish();
}

LiveStatusRecord::PlayerOptions LiveStatus::restorePlayerOptions() const
{
    return LiveStatusRecord::readPlayerOptions(filePath());
}
