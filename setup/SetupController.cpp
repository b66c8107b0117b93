#include "setup/SetupController.h"

#include "document/AppFolders.h"
#include "document/BackgroundPresentationsExtractor.h"
#include "document/EventFileReader.h"
#include "document/EventFileWriter.h"
#include "document/FileKind.h"
#include "document/ImageBlockCodec.h"
#include "document/PathHelpers.h"
#include "document/PopUpsFileReader.h"
#include "platform/FileDialogService.h"
#include "platform/MessageService.h"
#include "setup/CommandLine.h"

#include <QFileInfo>
#include <QImage>

SetupController::SetupController(EventDocument& document, MessageService& messages,
                                 FileDialogService& dialogs, QObject* parent)
    : QObject(parent), m_doc(document), m_messages(messages), m_dialogs(dialogs),
      m_codec(std::make_unique<ImageBlockCodec>()),
      m_writer(std::make_unique<EventFileWriter>(*m_codec)),
      m_extractor(std::make_unique<BackgroundPresentationsExtractor>()),
      m_reader(std::make_unique<EventFileReader>(*m_codec))
{}

SetupController::~SetupController() = default;

bool SetupController::startUp(const StartUpOptions& options)
{
    const QProcessEnvironment& env = options.environment;
    m_doc.AppFolder = PathHelpers::withTrailingSlash(options.appFolder);
    AppFolders::ensureFolder(m_doc.AppFolder + QStringLiteral("Help"));

    m_doc.RunFolder = AppFolders::runFolderFor(m_doc.AppFolder, options.instanceId);
    if (!AppFolders::ensureFolder(m_doc.RunFolder + QStringLiteral("/Preview"))) {
        m_messages.show(QStringLiteral("The working folder ") + m_doc.RunFolder +
                            QStringLiteral(" cannot be created."),
                        MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    m_doc.LiveCastFolder = AppFolders::resolveLiveCastFolder(env);
    AppFolders::ensureFolder(m_doc.LiveCastFolder);

    m_awaitsBuiltInHoldingSlide = !loadDefaultHoldingSlide();

    m_doc.DesktopFolder = AppFolders::resolveDesktopFolder(env);
    AppFolders::ensureFolder(m_doc.DesktopFolder);
    m_doc.ImportDir = m_doc.DesktopFolder;
    m_dialogFolder = m_doc.DesktopFolder;

    m_recent.load(m_doc.AppFolder);
    emit recentFilesChanged();

    m_slideFormat.load(m_doc.AppFolder);
    MnuSFormat_Click(m_slideFormat.Index);

    m_doc.EventFileTitle = EventDocument::UntitledTitle;
    m_doc.EventFilePath = m_doc.untitledPath();
    // The baseline lives only as long as this run; it need not wait for the disk.
    QString error;
    if (!m_writer->SaveFile(m_doc, m_doc.EventFilePath, false, &error,
                            EventFileWriter::SaveKind::WriteBack))
        m_messages.show(QStringLiteral("The new event could not be prepared.\n") + error,
                        MsgButtons::Ok, MsgIcon::Critical);

    m_liveCast.load(m_doc.AppFolder);
    m_timings.load(m_doc.AppFolder);
    m_oem.load(m_doc.AppFolder);
    m_doc.OemWebAddress = m_oem.OemWebAddress;
    m_doc.OemName = m_oem.OemName;
    m_doc.OemShortName = m_oem.OemShortName;
    m_audioRec.load(m_doc.AppFolder);
    // Last: a zipped event file ends its read later with the event as it is now.
    openCommandLineFile(options.commandLineFile);
    emit eventReplaced();
    return true;
}

bool SetupController::loadDefaultHoldingSlide()
{
    const QString full = m_doc.AppFolder + QStringLiteral("dtitle");
    const QString thumb = m_doc.AppFolder + QStringLiteral("dtitle-sm");
    if (!QFileInfo::exists(full) || !QFileInfo::exists(thumb))
        return false;
    const QImage fullImage(full);
    const QImage thumbImage(thumb);
    // A damaged picture file leaves the event without a default holding slide rather than with
    // half of one.
    if (fullImage.isNull() || thumbImage.isNull())
        return false;
    m_doc.ImgHoldingFull = fullImage;
    m_doc.ImgHolding = thumbImage;
    return true;
}

void SetupController::adoptBuiltInHoldingSlide(const QImage& thumbnail, const QImage& full)
{
    m_awaitsBuiltInHoldingSlide = false;
    if (thumbnail.isNull() || full.isNull())
        return;
    EventDocument baseline = m_doc;
    baseline.clearEvent();
    const QString path = m_doc.untitledPath();
    if (!m_reader->read(path, baseline).ok())
        return;
    baseline.ImgHolding = thumbnail;
    baseline.ImgHoldingFull = full;
    QString error;
    if (!m_writer->SaveFile(baseline, path, false, &error, EventFileWriter::SaveKind::WriteBack))
        return;
    if (m_doc.isUntitled() && !m_doc.hasHoldingSlide()) {
        m_doc.ImgHolding = thumbnail;
        m_doc.ImgHoldingFull = full;
        emit holdingSlideAdopted();
    }
}

void SetupController::openCommandLineFile(const QString& file)
{
    switch (fileKindOf(file)) {
    case FileKind::EventFile:
        openAs(file);
        break;
    case FileKind::ZippedEvent:
        readEventFile(file);
        break;
    case FileKind::PopUpsFile: {
        // The same steps as File, PopUps, Import of a pop-ups file, without the questions.
        const PopUpsFileReader::Result result = PopUpsFileReader(*m_codec).read(file, m_doc.PopUps);
        if (!result.message.isEmpty())
            m_messages.show(result.message, MsgButtons::Ok, MsgIcon::Exclamation);
        break;
    }
    default: // only the program's own files open from the command line
        break;
    }
}

bool SetupController::SaveFile(const QString& path, bool exportFlag)
{
    QString error;
    if (m_writer->SaveFile(m_doc, path, exportFlag, &error))
        return true;
    if (!error.isEmpty())
        m_messages.show(QStringLiteral("The event could not be saved to ") + path +
                            QStringLiteral(".\n") + error,
                        MsgButtons::Ok, MsgIcon::Critical);
    return false;
}

bool SetupController::readEventFile(const QString& path)
{
    const EventReadResult result = read(path);
    return result.ok() || result.presentationsFollow;
}

EventReadResult SetupController::read(const QString& path, const ReadDone& then)
{
    // Filled in when the read ends before the call returns.
    auto immediate = std::make_shared<EventReadResult>();
    m_extractor->read(*m_reader, path, m_doc,
                      [this, then, immediate](const EventReadResult& result) {
                          *immediate = result;
                          if (!result.ok())
                              m_messages.show(result.message, MsgButtons::Ok, MsgIcon::None);
                          emit eventReplaced();
                          if (then)
                              then(result);
                          setBusy(false);
                      });
    if (!m_extractor->isRunning())
        return *immediate;
    setBusy(true);
    EventReadResult underWay;
    underWay.presentationsFollow = true;
    return underWay;
}

void SetupController::setBusy(bool on)
{
    if (m_busy == on)
        return;
    m_busy = on;
    emit busyChanged(on);
}

void SetupController::openAs(const QString& path)
{
    const QString previousPath = m_doc.EventFilePath;
    const QString previousTitle = m_doc.EventFileTitle;
    m_doc.EventFilePath = path;
    m_doc.EventFileTitle = PathHelpers::FileNameOf(path);
    read(path, [this, previousPath, previousTitle](const EventReadResult& result) {
        // A damaged file leaves the event as it was, so it keeps the name it had too; a file of
        // another program has already emptied the speakers and keeps the new name.
        if (!result.ok() && result.status != EventReadResult::Status::Incompatible) {
            m_doc.EventFilePath = previousPath;
            m_doc.EventFileTitle = previousTitle;
        }
    });
}

bool SetupController::hasUnsavedChanges()
{
    const QString temp = m_doc.RunFolder + QStringLiteral("/temp.evf");
    QString error;
    if (!m_writer->SaveFile(m_doc, temp, false, &error, EventFileWriter::SaveKind::WriteBack))
        return true;
    return !PathHelpers::FilesAreEqual(temp, m_doc.EventFilePath);
}

bool SetupController::unsavedChangeCheck()
{
    if (!hasUnsavedChanges())
        return true;
    const MsgAnswer answer = m_messages.show(QStringLiteral("Do you want to save changes to ") +
                                                 m_doc.titleForPrompt() + QStringLiteral("?"),
                                             MsgButtons::YesNoCancel, MsgIcon::Exclamation);
    if (answer == MsgAnswer::No)
        return true;
    if (answer != MsgAnswer::Yes)
        return false;
    // The changes were meant to be kept: a save that did not happen stops the command.
    if (m_doc.isUntitled())
        return saveAs();
    return SaveFile(m_doc.EventFilePath, false);
}

void SetupController::newEvent()
{
    if (m_busy)
        return;
    if (!unsavedChangeCheck())
        return;
    m_doc.EventFileTitle = EventDocument::UntitledTitle;
    m_doc.EventFilePath = m_doc.untitledPath();
    readEventFile(m_doc.EventFilePath);
    emit firstSectionRequested();
}

bool SetupController::reopenCheck(const QString& path)
{
    if (path == m_doc.EventFilePath) {
        const MsgAnswer answer =
            m_messages.show(QStringLiteral("Do you want to revert to previous ") +
                                m_doc.titleForPrompt() + QStringLiteral("?"),
                            MsgButtons::YesNoCancel, MsgIcon::Exclamation);
        return answer == MsgAnswer::Yes;
    }
    return unsavedChangeCheck();
}

void SetupController::openEvent()
{
    if (m_busy)
        return;
    const QString path = m_dialogs.getOpenFileName(m_dialogFolder, OpenFilter);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    if (!reopenCheck(path))
        return;
    m_dialogFolder = PathHelpers::FolderOf(path);
    openAs(path);
}

void SetupController::save()
{
    if (m_busy)
        return;
    if (m_doc.isUntitled())
        saveAs();
    else
        SaveFile(m_doc.EventFilePath, false);
}

bool SetupController::saveAs()
{
    if (m_busy)
        return false;
    const QString path = m_dialogs.getSaveFileName(m_dialogFolder, SaveFilter,
                                                   FileDialogService::ReplaceQuestion::ByCommand);
    if (path.isEmpty())
        return false;
    if (path != m_doc.EventFilePath && QFileInfo::exists(path)) {
        const QString name = PathHelpers::FileNameOf(path);
        const MsgAnswer answer =
            m_messages.show(QStringLiteral("Do you want to replace the existing ") +
                                name.left(name.size() - 4) + QStringLiteral("?"),
                            MsgButtons::YesNoCancel, MsgIcon::Exclamation);
        if (answer != MsgAnswer::Yes)
            return false;
    }
    const QString previousPath = m_doc.EventFilePath;
    const QString previousTitle = m_doc.EventFileTitle;
    m_doc.EventFilePath = path;
    m_doc.EventFileTitle = PathHelpers::FileNameOf(path);
    if (!SaveFile(path, false)) {
        // The event still belongs to the file it came from.
        m_doc.EventFilePath = previousPath;
        m_doc.EventFileTitle = previousTitle;
        return false;
    }
    m_dialogFolder = PathHelpers::FolderOf(path);
    m_recent.promote(path);
    emit recentFilesChanged();
    return true;
}

void SetupController::openRecent(int index)
{
    if (m_busy)
        return;
    const QString path = m_recent.paths().value(index);
    if (path.isEmpty())
        return;
    if (!QFileInfo(path).isFile()) {
        m_messages.show(PathHelpers::FileNameOf(path) + QStringLiteral(" is no longer available"),
                        MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    if (!reopenCheck(path))
        return;
    openAs(path);
    m_recent.promote(path, index);
    emit recentFilesChanged();
}

bool SetupController::closeQuery()
{
    if (m_busy)
        return false;
    return unsavedChangeCheck();
}

void SetupController::shutDown()
{
    m_recent.save(m_doc.AppFolder);
    m_liveCast.save(m_doc.AppFolder);
    AppFolders::removeFolder(m_doc.RunFolder);
}

void SetupController::MnuSFormat_Click(int index)
{
    if (index < 1 || index > SlideFormatSetting::Captions.size())
        return;
    m_slideFormat.Index = index;
    m_doc.SlideImageFormat = m_slideFormat.SlideImageFormat();
    m_slideFormat.save(m_doc.AppFolder);
    emit slideFormatChanged(index);
}

void SetupController::captionTick()
{
    ++m_captionTicks;
    if (m_captionTicks == 10)
        emit captionChanged(EventDocument::ProductName);
    if (m_captionTicks >= 20) {
        m_captionTicks = 0;
        emit captionChanged(m_doc.titleForPrompt());
    }
}
