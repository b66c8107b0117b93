#include "setup/PopUpsFileCommands.h"

#include "document/FileKind.h"
#include "document/PathHelpers.h"
#include "document/PopUpsFileReader.h"
#include "document/PopUpsFileWriter.h"
#include "platform/FileDialogService.h"
#include "platform/MessageService.h"
#include "slides/PopUpSlideImporter.h"

#include <QFileInfo>

#include <algorithm>

PopUpsFileCommands::PopUpsFileCommands(EventDocument& document, MessageService& messages,
                                       FileDialogService& dialogs, PresentationApp& presentations,
                                       QObject* parent)
    : QObject(parent), m_doc(document), m_messages(messages), m_dialogs(dialogs),
      m_presentations(presentations)
{}

void PopUpsFileCommands::setSlideSizes(QSize thumbnailPx, QSize fullScreenPx)
{
    m_thumbnailPx = thumbnailPx;
    m_fullScreenPx = fullScreenPx;
}

bool PopUpsFileCommands::canExport() const
{
    return std::any_of(m_doc.PopUps.begin(), m_doc.PopUps.end(),
                       [](const PopUpSlot& slot) { return slot.isUsed(); });
}

void PopUpsFileCommands::MnuPExport_Click(const QString& dialogFolder)
{
    if (m_busy)
        return;
    const QString path = m_dialogs.getSaveFileName(dialogFolder, ExportFilter,
                                                   FileDialogService::ReplaceQuestion::ByCommand);
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path)) {
        const MsgAnswer answer =
            m_messages.show(QStringLiteral("The file ") + PathHelpers::FileNameOf(path) +
                                QStringLiteral(" already existing.\nDo you want "
                                               "to replace it?"),
                            MsgButtons::OkCancel, MsgIcon::Exclamation);
        if (answer != MsgAnswer::Ok)
            return;
    }
    emit busyChanged(true);
    PopUpsFileWriter writer(m_codec);
    QString error;
    const bool written = writer.write(m_doc.PopUps, path, &error);
    emit busyChanged(false);
    if (!written)
        m_messages.show(error, MsgButtons::Ok, MsgIcon::Exclamation);
}

void PopUpsFileCommands::MnuPImport_Click(const QString& dialogFolder)
{
    if (m_busy)
        return;
    if (canExport() && m_messages.show(OverwriteQuestion, MsgButtons::YesNo,
                                       MsgIcon::Exclamation) != MsgAnswer::Yes)
        return;
    const QString path = m_dialogs.getOpenFileName(dialogFolder, ImportFilter);

    // The set is replaced whether or not a file was chosen.
    for (PopUpSlot& slot : m_doc.PopUps)
        slot.clear();
    emit popUpsChanged();

    const FileKind kind = fileKindOf(path);
    if (kind == FileKind::PopUpsFile) {
        readPopUpsFile(path);
    } else if (isPresentationKind(kind)) {
        importPresentation(path);
    }
}

bool PopUpsFileCommands::readPopUpsFile(const QString& path)
{
    PopUpsFileReader reader(m_codec);
    const PopUpsFileReader::Result result = reader.read(path, m_doc.PopUps);
    emit popUpsChanged();
    if (!result.message.isEmpty())
        m_messages.show(result.message, MsgButtons::Ok, MsgIcon::Exclamation);
    return result.ok();
}

void PopUpsFileCommands::importPresentation(const QString& path)
{
    m_busy = true;
    emit busyChanged(true);
    emit statusChanged(PopUpSlideImporter::progressText(0));

    const PopUpSlideImporter::Request request{path, m_doc.RunFolder, m_doc.SlideImageFormat,
                                              m_thumbnailPx, m_fullScreenPx};
    m_jobs.start<PopUpSlideImporter::Result>(
        [&app = m_presentations, request, this](const JobRunner::Control& control) {
            return PopUpSlideImporter(app).importSlides(request, [this, &control](int slot) {
                control.post(
                    [this, slot] { emit statusChanged(PopUpSlideImporter::progressText(slot)); });
            });
        },
        [this, path](PopUpSlideImporter::Result result) {
            m_doc.PopUps = result.popUps;
            m_busy = false;
            emit statusChanged(QString());
            emit popUpsChanged();
            emit busyChanged(false);
            if (!result.ok())
                m_messages.show(QStringLiteral("The pop-ups could not be taken from ") +
                                    PathHelpers::FileNameOf(path) + QStringLiteral(".\n") +
                                    result.error,
                                MsgButtons::Ok, MsgIcon::Exclamation);
        });
}
