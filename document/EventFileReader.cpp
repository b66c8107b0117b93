#include "document/EventFileReader.h"

#include "document/EventDocument.h"
#include "document/ImageBlockCodec.h"
#include "document/PresentationsExtractor.h"
#include "document/TokenReader.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace {

EventReadResult failure(EventReadResult::Status status, const QString& message)
{
    EventReadResult result;
    result.status = status;
    result.message = message;
    return result;
}

EventReadResult damaged(const QString& detail)
{
    return failure(EventReadResult::Status::Damaged,
                   QStringLiteral("The event file is damaged: %1.").arg(detail));
}

std::optional<bool> exportMark(const QString& text)
{
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

} // namespace

EventFileReader::EventFileReader(ImageBlockCodec& codec, PresentationsExtractor* extractor)
    : m_codec(codec), m_extractor(extractor)
{}

EventReadResult EventFileReader::read(const QString& path, EventDocument& document)
{
    QFile file(path);
    const EventReadResult opened = open(file);
    if (!opened.ok())
        return opened;
    return read(file, document);
}

EventReadResult EventFileReader::open(QFile& file)
{
    // Unbuffered: a zipped event file's presentations are copied in large chunks, which Qt's
    // read buffer would cut into small reads; the few tokens cost a system call each instead.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return failure(EventReadResult::Status::CannotOpen,
                       QStringLiteral("The event file %1 cannot be opened: %2.")
                           .arg(file.fileName(), file.errorString()));
    return {};
}

EventReadResult EventFileReader::read(QIODevice& device, EventDocument& document)
{
    EventDocument event;
    EventReadResult result = readUntilPresentations(device, document, event);
    if (!result.presentationsFollow)
        return result;
    result.presentationsFollow = false;
    if (m_extractor) {
        QString error;
        if (!m_extractor->extract(device, event, &error))
            return failure(EventReadResult::Status::ExtractionFailed, error);
    }
    presentationsUnpacked(event);
    document = std::move(event);
    return result;
}

void EventFileReader::presentationsUnpacked(EventDocument& event)
{
    event.EventFileTitle = EventDocument::UntitledTitle;
    event.EventFilePath = event.untitledPath();
}

EventReadResult EventFileReader::readUntilPresentations(QIODevice& device, EventDocument& document,
                                                        EventDocument& event)
{
    TokenReader in(device);
    const QString product = in.ReadToken();
    if (in.hasError())
        return damaged(in.errorMessage());
    if (product != EventDocument::ProductName) {
        document.Speakers.clear();
        document.ImgHolding = QImage();
        return failure(EventReadResult::Status::Incompatible, IncompatibleMessage);
    }

    event = document;
    event.Speakers.clear();
    event.ImgHolding = QImage();
    bool exportFlag = false;
    bool presentationsFollow = false;

    for (;;) {
        const QString tag = in.ReadToken();
        if (in.hasError())
            break;
        if (tag == QLatin1String("End Data")) {
            break;
        } else if (tag == QLatin1String("Version")) {
            in.readTokenBytes();
        } else if (tag == QLatin1String("Export")) {
            const std::optional<bool> mark = exportMark(in.ReadToken());
            if (!in.hasError() && !mark)
                in.fail(QStringLiteral("its export mark is neither True nor False"));
            exportFlag = mark.value_or(false);
        } else if (tag == QLatin1String("HoldingTimeCode")) {
            event.HoldingTimeCode = in.ReadToken();
        } else if (tag == QLatin1String("QuickLaunchTimeCode")) {
            event.QuickLaunchTimeCode = in.ReadToken();
        } else if (tag == QLatin1String("PopUpsTimeCode")) {
            event.PopUpsTimeCode = in.ReadToken();
        } else if (tag == QLatin1String("InternetConnect")) {
            event.InternetConnectUrl = in.ReadToken();
            event.InternetConnectSession = in.ReadToken();
            event.InternetConnectPassword = in.ReadToken();
            const qint64 flag = in.readStrictNumber();
            if (!in.hasError() && (flag < -32768 || flag > 32767))
                in.fail(QStringLiteral("its Internet-connect setting is out of range"));
            event.InternetConnectObscure = static_cast<qint16>(flag);
        } else if (tag == QLatin1String("ImgHolding")) {
            event.ImgHoldingFull = in.readImage(m_codec);
            event.ImgHolding = in.readImage(m_codec);
        } else if (tag == QLatin1String("Speakers")) {
            readSpeakers(in, event);
        } else if (tag == QLatin1String("Quick Launch")) {
            event.QuickLaunchFile = in.ReadChars();
        } else if (tag == QLatin1String("Import Dir")) {
            const QString folder = in.ReadChars();
            // A zipped event file comes from another computer, whose folders mean nothing here.
            if (!exportFlag)
                event.ImportDir = QFileInfo(folder).isDir() ? folder : event.DesktopFolder;
        } else if (tag == QLatin1String("PopUps")) {
            readPopUps(in, event);
        } else if (tag == QLatin1String("Presentations")) {
            // The presentations go to this computer's import folder, never to a folder the file
            // names (a file without the export mark keeps its "Import Dir" otherwise).
            event.ImportDir = document.ImportDir;
            presentationsFollow = true;
            break;
        }
        // Tags of other versions are skipped: the next token is read as the next tag.
    }

    if (in.hasError())
        return damaged(in.errorMessage());

    EventReadResult result;
    result.exportFlag = exportFlag;
    result.presentationsFollow = presentationsFollow;
    if (!presentationsFollow)
        document = std::move(event);
    return result;
}

void EventFileReader::readSpeakers(TokenReader& in, EventDocument& event)
{
    const qint64 count = in.readNumber();
    if (in.hasError())
        return;
    if (count < 0 || count > EventDocument::SpeakerTableSize) {
        in.fail(QStringLiteral("it lists %1 speakers, but an event holds 0 to %2")
                    .arg(count)
                    .arg(EventDocument::SpeakerTableSize));
        return;
    }
    QList<SpeakerRecord> speakers;
    for (qint64 i = 0; i < count; ++i) {
        SpeakerRecord speaker;
        speaker.Name = in.ReadChars();
        speaker.FilePath = in.ReadChars();
        speaker.FileName = speaker.FilePath.section(QLatin1Char('/'), -1);
        speaker.TimeCode = in.ReadChars();
        if (in.hasError())
            return;
        speakers.append(speaker);
    }
    for (const SpeakerRecord& speaker : speakers)
        event.Speakers.append(speaker);
}

void EventFileReader::readPopUps(TokenReader& in, EventDocument& event)
{
    for (PopUpSlot& slot : event.PopUps)
        slot.clear();
    for (;;) {
        const QByteArray token = in.readTokenBytes();
        if (in.hasError() || token == "End PopUps")
            return;
        const std::optional<qint64> index = TokenReader::leadingInteger(token);
        if (!index || *index < 0 || *index >= EventDocument::PopUpSlotCount) {
            in.fail(QStringLiteral("a pop-up has a number outside 0 to %1")
                        .arg(EventDocument::PopUpSlotCount - 1));
            return;
        }
        PopUpSlot& slot = event.PopUps[static_cast<size_t>(*index)];
        slot.Name = in.ReadChars();
        slot.Full = in.readImage(m_codec);
        slot.Thumb = in.readImage(m_codec);
        if (in.hasError())
            return;
    }
}
