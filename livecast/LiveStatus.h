#pragma once

#include "livecast/LiveStatusRecord.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

class LiveCastModes;
class LiveCastSettings;
class LiveStatusPublisher;

// What the audience's player is told while play mode runs: every call rewrites "status.inf" in
// the LiveCast folder whole and, in Webcast and Connect mode, hands it to the publisher, which
// sends it without holding up the caller.
class LiveStatus : public QObject
{
    Q_OBJECT

public:
    // The word that keeps the last presenter or slide, and leaves an option empty.
    static inline const QString Null = QStringLiteral("null");

    // liveCastFolder without a trailing "/"; marks: the LiveCast menu's check marks. Everything
    // passed in must outlive the status; publisher may be null (nothing is sent).
    LiveStatus(const QString& liveCastFolder, const LiveCastSettings& marks,
               const LiveCastModes& modes, LiveStatusPublisher* publisher,
               std::function<QDateTime()> now = &QDateTime::currentDateTime,
               QObject* parent = nullptr);

    // presenter and slide replace the kept ones unless they are "null"; view, scale and rolling
    // are written as given, "null" as empty. Does nothing while the launch screen activates.
    void WriteLiveStatus(const QString& presenter, const QString& slide, const QString& view,
                         const QString& scale, const QString& rolling);

    // Form_Activate starts and ends: the options it restores must not rewrite the file. Until
    // the first activation has ended nothing is written either.
    void beginActivation() { m_activated = false; }
    void endActivation() { m_activated = true; }

    // The options the last status file holds, for Form_Activate.
    LiveStatusRecord::PlayerOptions restorePlayerOptions() const;

    QString filePath() const;
    const QString& presenter() const { return m_presenter; }
    const QString& slide() const { return m_slide; }

signals:
    // "status.inf" was replaced.
    void written();
    void writeFailed(const QString& path);

private:
    const QString m_folder;
    const LiveCastSettings& m_marks;
    const LiveCastModes& m_modes;
    LiveStatusPublisher* m_publisher;
    std::function<QDateTime()> m_now;
    bool m_activated = false;
    QString m_presenter;
    QString m_slide;
};
