#pragma once

#include "platform/JobRunner.h"
#include "platform/PresentationApp.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QTime>

#include <functional>
#include <optional>

// Turns the event's slides into the pictures a webcast shows: every slide a 1024 by 768 JPEG
// and beside it a Flash file of the same name, in the LiveCast folder and, when the local
// streaming server is installed, in its folder too. Each group (holding slide, pop-ups, each
// speaker, the rolling presentation) is stamped with the time code of the export (see
// LiveCastFileNames), and the event keeps the codes the export reports.
//
// The office renders every slide, which blocks for as long as it takes: the work runs off this
// thread in the headless office, one export at a time, reporting through signals.
class LiveCastExport : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxSpeakers = 51;
    static constexpr int WidthPx = 1024;
    static constexpr int HeightPx = 768;

    // Turns stem + ".jpg" into stem + ".swf"; false, with the reason, when it could not.
    using FlashConverter = std::function<bool(const QString& stem, QString* error)>;

    struct PopUp
    {
        int slot = 0; // 0 to 9
        QImage picture;
    };
    struct Speaker
    {
        int index = 0; // in the speaker list
        QString name;
        QString filePath;
    };
    struct Request
    {
        QString liveCastFolder;  // no trailing "/"
        QString localCopyFolder; // empty when there is none
        QTime startedAt;
        // The whole event: the folders are emptied first. Otherwise one speaker's export,
        // which replaces only that speaker's folders.
        bool wholeEvent = true;
        std::optional<QImage> holding;
        QList<PopUp> popUps;
        QList<Speaker> speakers;
        QString rollingPath; // the Quick Launch file; empty for none
    };
    // What the event keeps of an export: the time code of each group it began.
    struct Result
    {
        QString timeCode;
        bool holding = false;
        bool popUps = false;
        bool rolling = false;
        QList<int> speakers;          // indexes in the speaker list
        QStringList conversionErrors; // one entry per picture without its Flash file
        QString error;                // what ended the export early; empty when it ran through
        bool cancelled = false;
    };

    // app must outlive the export.
    LiveCastExport(PresentationApp& app, FlashConverter converter, QObject* parent = nullptr);
    ~LiveCastExport() override;

    // "Exporting - Holding", "Exporting - PopUp3", "Exporting - Jane Doe", ...
    static QString groupStatus(const QString& what)
    {
        return QStringLiteral("Exporting - ") + what;
    }

    // False, with nothing started, while an export runs.
    bool start(const Request& request);
    // Stops after the slide being exported and closes the presentation open for it.
    void cancel() { m_jobs.cancel(); }
    bool isBusy() const { return m_jobs.isBusy(); }

signals:
    void statusChanged(const QString& text);
    void percentChanged(int percent);
    // A picture's Flash file could not be written; the export goes on.
    void conversionFailed(const QString& stem, const QString& error);
    void finished(const LiveCastExport::Result& result);

private:
    class Work;

    PresentationApp& m_app;
    FlashConverter m_converter;
    JobRunner m_jobs;
};

Q_DECLARE_METATYPE(LiveCastExport::Result)
