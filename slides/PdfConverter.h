#pragma once

#include "document/SpeakerRecord.h"
#include "platform/JobRunner.h"
#include "platform/MessageService.h"
#include "platform/PresentationApp.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class EventDocument;

// Saves speakers' presentations as PDF documents beside them, one speaker or the whole list.
// The replace question is asked on the converter's own thread between conversions, and may be
// answered later (after play mode); each conversion (open, save as PDF, close) runs off that
// thread because those calls block.
// Failed conversions are passed over without a message; one run at a time.
class PdfConverter : public QObject
{
    Q_OBJECT

public:
    struct Outcome
    {
        QStringList written; // PDF paths, in speaker order
        QStringList failed;  // PDF paths whose conversion failed (for diagnostics only)
        bool cancelled = false;
    };

    // app and messages must outlive the converter.
    PdfConverter(PresentationApp& app, MessageService& messages, QObject* parent = nullptr);
    // Waits a bounded time for a running conversion; speakers not yet reached are dropped.
    ~PdfConverter() override;

    // The presentation's folder + the speaker's name + ".pdf".
    static QString pdfPathOf(const SpeakerRecord& speaker);
    static QString replaceQuestion(const SpeakerRecord& speaker);

    // Converts one speaker, asking Yes/No before replacing an existing PDF. False, with nothing
    // started, while a run is busy.
    bool convertSpeaker(const SpeakerRecord& speaker);
    // Converts every speaker in list order, asking Yes/No/Cancel before replacing; Cancel stops
    // the run. False, with nothing started, when the event has no speakers or a run is busy.
    bool convertAll(const EventDocument& event);

    bool isBusy() const { return m_busy; }

signals:
    void finished(const PdfConverter::Outcome& outcome);

private:
    void begin(QList<SpeakerRecord> speakers, MsgButtons buttons);
    // Asks about the next speaker, then converts it off this thread, or ends the run.
    void next();
    void convert(const QString& presentation, const QString& pdfPath);
    void convertedOne(const QString& pdfPath, bool ok);

    PresentationApp& m_app;
    MessageService& m_messages;
    QList<SpeakerRecord> m_pending;
    MsgButtons m_buttons = MsgButtons::YesNo;
    Outcome m_outcome;
    bool m_busy = false;
    JobRunner m_jobs;
};
