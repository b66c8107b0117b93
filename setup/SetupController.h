#pragma once

#include "document/AudioRecSettings.h"
#include "document/EventDocument.h"
#include "document/EventReadResult.h"
#include "document/LiveCastSettings.h"
#include "document/OemSettings.h"
#include "document/RecentFiles.h"
#include "document/SlideFormatSetting.h"
#include "document/TimingsSetting.h"

#include <QObject>
#include <QProcessEnvironment>
#include <QString>

#include <functional>
#include <memory>

class BackgroundPresentationsExtractor;
class EventFileReader;
class ImageBlockCodec;
class EventFileWriter;
class FileDialogService;
class MessageService;

// The setup window's file commands, start-up and shut-down, without any widget: the window
// turns clicks into these calls and redraws itself from the document when told to.
class SetupController : public QObject
{
    Q_OBJECT

public:
    static inline const QString OpenFilter =
        QStringLiteral("All Stagor Compatible Files |*.evf;*.zev|Stagor (*.evf)|*.evf|Zipped "
                       "Stagor (*.zev)|*.zev");
    static inline const QString SaveFilter = QStringLiteral("Stagor (evf) |*.evf");

    SetupController(EventDocument& document, MessageService& messages, FileDialogService& dialogs,
                    QObject* parent = nullptr);
    ~SetupController() override;

    struct StartUpOptions
    {
        QString appFolder; // ends with "/"
        qint64 instanceId = 0;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        QString commandLineFile;
    };
    // The start-up stages that need no window: folders, default holding slide, settings files,
    // the untitled baseline and the file named on the command line. False when the working
    // folder cannot be made (the message has been shown).
    bool startUp(const StartUpOptions& options);
    // True when start-up found no default holding slide of the operator's own: the built-in one
    // (the template's first slide, exported through the presentation program) is to come.
    bool awaitsBuiltInHoldingSlide() const { return m_awaitsBuiltInHoldingSlide; }
    // The built-in holding slide, arrived after start-up. It belongs to the untitled baseline
    // (what New starts from and an untouched event compares with) and to the event on screen
    // only while that is an untitled one without a holding slide: an opened file stays as read.
    void adoptBuiltInHoldingSlide(const QImage& thumbnail, const QImage& full);

    // Writes the whole event to path. Shows a message and returns false when it cannot.
    bool SaveFile(const QString& path, bool exportFlag);
    // Replaces the event with the file's content; shows the reader's message on failure. The
    // presentations of a zipped event file are unpacked afterwards: the event is replaced once
    // they are (eventReplaced), and the other file commands are refused until then (isBusy).
    // False when the read failed at once.
    bool readEventFile(const QString& path);
    bool isBusy() const { return m_busy; }
    // False when the operator cancelled (or a save they asked for did not happen).
    bool unsavedChangeCheck();
    bool hasUnsavedChanges();

    void newEvent();
    void openEvent();
    void save();
    bool saveAs();
    void openRecent(int index);
    // The close query: true when the window may close.
    bool closeQuery();
    // Settings files written, the run's working folder removed.
    void shutDown();

    // A slide image format chosen from the menu (1..5): remembered at once in "Slide.INI".
    void MnuSFormat_Click(int index);

    // The setup watcher's caption: every tenth tick the product name, every twentieth the event
    // title; an empty result leaves the caption as it is.
    // On each tick of the setup clock: now and then the title alternates between the product's
    // name and the event's (captionChanged).
    void captionTick();

    const RecentFiles& recentFiles() const { return m_recent; }
    LiveCastSettings& liveCastSettings() { return m_liveCast; }
    const TimingsSetting& timingsSetting() const { return m_timings; }
    TimingsSetting& timingsSetting() { return m_timings; }
    const OemSettings& oemSettings() const { return m_oem; }
    const SlideFormatSetting& slideFormat() const { return m_slideFormat; }
    const AudioRecSettings& audioRecSettings() const { return m_audioRec; }
    AudioRecSettings& audioRecSettings() { return m_audioRec; }
    QString fileDialogFolder() const { return m_dialogFolder; }
    // Unpacks the presentations of a zipped event file while it is opened; the extraction
    // window follows its progress.
    BackgroundPresentationsExtractor& presentationsExtractor() { return *m_extractor; }

signals:
    void captionChanged(const QString& caption);
    // A zipped event file's presentations are being unpacked (true) or the open has ended.
    void busyChanged(bool busy);
    // The whole event was replaced (new, opened, reverted): every panel redraws.
    void eventReplaced();
    void recentFilesChanged();
    // After New: back to the first section, focus on the play button.
    void firstSectionRequested();
    void slideFormatChanged(int index);
    // The built-in holding slide went into the event on screen.
    void holdingSlideAdopted();

private:
    using ReadDone = std::function<void(const EventReadResult&)>;
    // then runs once the read has ended, after the message and eventReplaced. The result is
    // what is known when the call returns: presentationsFollow while they are unpacked.
    EventReadResult read(const QString& path, const ReadDone& then = {});
    void setBusy(bool on);
    // Switches the current file to path and reads it.
    void openAs(const QString& path);
    bool reopenCheck(const QString& path);
    // False when the operator has no default holding slide of their own.
    bool loadDefaultHoldingSlide();
    void openCommandLineFile(const QString& file);

    EventDocument& m_doc;
    MessageService& m_messages;
    FileDialogService& m_dialogs;
    std::unique_ptr<ImageBlockCodec> m_codec;
    std::unique_ptr<EventFileWriter> m_writer;
    std::unique_ptr<BackgroundPresentationsExtractor> m_extractor; // before the reader using it
    std::unique_ptr<EventFileReader> m_reader;
    RecentFiles m_recent;
    LiveCastSettings m_liveCast;
    TimingsSetting m_timings;
    OemSettings m_oem;
    SlideFormatSetting m_slideFormat;
    AudioRecSettings m_audioRec;
    QString m_dialogFolder;
    int m_captionTicks = 0;
    bool m_awaitsBuiltInHoldingSlide = false;
    bool m_busy = false;
};
