#include "slides/PdfConverter.h"

#include "document/EventDocument.h"
#include "document/PathHelpers.h"

#include <QFileInfo>
#include <QPointer>

#include <algorithm>

PdfConverter::PdfConverter(PresentationApp& app, MessageService& messages, QObject* parent)
    : QObject(parent), m_app(app), m_messages(messages)
{}

PdfConverter::~PdfConverter() = default;

QString PdfConverter::pdfPathOf(const SpeakerRecord& speaker)
{
    return PathHelpers::FolderOf(speaker.FilePath) + speaker.Name + QStringLiteral(".pdf");
}

QString PdfConverter::replaceQuestion(const SpeakerRecord& speaker)
{
    return QStringLiteral("PDF File '") + speaker.Name +
           QStringLiteral(".pdf' already exists.\nDo you want to replace it?");
}

bool PdfConverter::convertSpeaker(const SpeakerRecord& speaker)
{
    if (m_busy)
        return false;
    begin({speaker}, MsgButtons::YesNo);
    return true;
}

bool PdfConverter::convertAll(const EventDocument& event)
{
    if (m_busy || event.Speakers.count() < 1)
        return false;
    begin(QList<SpeakerRecord>(event.Speakers.begin(), event.Speakers.end()),
          MsgButtons::YesNoCancel);
    return true;
}

void PdfConverter::begin(QList<SpeakerRecord> speakers, MsgButtons buttons)
{
    m_busy = true;
    m_pending = std::move(speakers);
    m_buttons = buttons;
    m_outcome = Outcome();
    // The first question comes after the menu handler has returned, like every later one.
    QMetaObject::invokeMethod(this, &PdfConverter::next, Qt::QueuedConnection);
}

void PdfConverter::next()
{
    if (m_pending.isEmpty()) {
        m_busy = false;
        emit finished(m_outcome);
        return;
    }
    const SpeakerRecord speaker = m_pending.takeFirst();
    const QString pdfPath = pdfPathOf(speaker);
    if (!QFileInfo::exists(pdfPath)) {
        convert(speaker.FilePath, pdfPath);
        return;
    }
    // The answer may come much later (after play mode) and find the converter gone.
    m_messages.ask(replaceQuestion(speaker), m_buttons, MsgIcon::Question,
                   [self = QPointer<PdfConverter>(this), speaker, pdfPath](MsgAnswer answer) {
                       if (!self)
                           return;
                       if (answer == MsgAnswer::Cancel &&
                           self->m_buttons == MsgButtons::YesNoCancel) {
                           self->m_outcome.cancelled = true;
                           self->m_pending.clear();
                           self->next();
                       } else if (answer == MsgAnswer::Yes) {
                           self->convert(speaker.FilePath, pdfPath);
                       } else {
                           self->next();
                       }
                   });
}

void PdfConverter::convert(const QString& presentation, const QString& pdfPath)
{
    m_jobs.start<bool>(
        [&app = m_app, presentation, pdfPath](const JobRunner::Control&) {
            const auto opened = app.open(presentation, PresentationApp::Visibility::Hidden);
            if (!opened.ok())
                return false;
            const bool saved =
                opened.value()->saveCopyAs(pdfPath, PresentationDocument::FileFormat::Pdf).ok();
            opened.value()->close();
            return saved;
        },
        [this, pdfPath](bool ok) { convertedOne(pdfPath, ok); });
}

void PdfConverter::convertedOne(const QString& pdfPath, bool ok)
{
    (ok ? m_outcome.written : m_outcome.failed) << pdfPath;
    next();
}
