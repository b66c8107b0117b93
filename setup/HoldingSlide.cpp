#include "setup/HoldingSlide.h"

#include "document/EventDocument.h"
#include "document/PathHelpers.h"
#include "platform/ClipboardService.h"
#include "platform/FileDialogService.h"
#include "platform/PresentationApp.h"
#include "setup/SlideIntake.h"

#include <QFile>
#include <QFileInfo>

const QString HoldingSlide::OpenFilter = QStringLiteral(
    "All Compatible Files |*.ppt;*.pptx;*.bmp;*.wmf;*.jpg;*.gif|PowerPoint "
    "(*.ppt,*.pptx)|*.ppt;*.pptx|Bitmap (*.bmp)|*.bmp|CompuServe Gif (*.gif)|*.gif|JPEG "
    "(*.jpg)|*.jpg|Windows Metafile (*.wmf)|*.wmf");

HoldingSlide::HoldingSlide(EventDocument& doc, SlideIntake& intake, ClipboardService& clipboard,
                           FileDialogService& dialogs, PresentationApp& templates, QObject* parent)
    : QObject(parent), m_doc(doc), m_intake(intake), m_clipboard(clipboard), m_dialogs(dialogs),
      m_templates(templates)
{}

void HoldingSlide::take(const QImage& thumbnail, const QImage& full)
{
    if (!thumbnail.isNull())
        m_doc.ImgHolding = thumbnail;
    if (!full.isNull())
        m_doc.ImgHoldingFull = full;
    emit changed();
}

void HoldingSlide::Open()
{
    if (isBusy())
        return;
    const QString file = m_dialogs.getOpenFileName(QString(), OpenFilter);
    if (file.isEmpty())
        return;
    emit closePreviewRequested();
    m_intake.takeFile(file, [this](const QImage& t, const QImage& f) { take(t, f); });
}

void HoldingSlide::drop(const QMimeData* data)
{
    if (isBusy())
        return;
    if (m_intake.takeMime(data, [this](const QImage& t, const QImage& f) { take(t, f); }))
        m_doc.HoldingTimeCode.clear();
}

void HoldingSlide::paste()
{
    if (isBusy())
        return;
    auto receiver = [this](const QImage& t, const QImage& f) { take(t, f); };
    bool taken = false;
    if (m_clipboard.hasPicture()) {
        taken = m_intake.takePicture(m_clipboard.picture(), receiver);
    } else {
        const QStringList files = m_clipboard.fileList();
        taken = !files.isEmpty() && m_intake.takeFile(files.first(), receiver);
    }
    if (taken)
        m_doc.HoldingTimeCode.clear();
}

void HoldingSlide::cut()
{
    if (isBusy())
        return;
    copy();
    m_doc.ImgHolding = QImage();
    m_doc.ImgHoldingFull = QImage();
    emit changed();
}

void HoldingSlide::copy()
{
    if (!m_doc.ImgHoldingFull.isNull())
        m_clipboard.putPicture(m_doc.ImgHoldingFull);
}

HoldingSlide::MenuState HoldingSlide::contextMenuState() const
{
    MenuState state;
    state.cut = state.copy = m_doc.hasHoldingSlide();
    state.paste = m_clipboard.hasPicture() || m_clipboard.hasFileList();
    return state;
}

void HoldingSlide::MnuHoldingSlide_Click()
{
    // An export under way writes the files compared here.
    if (m_office.isBusy() || !m_doc.hasHoldingSlide())
        return;
    const QString scratch = m_doc.RunFolder + QStringLiteral("/Slide1");
    if (!m_doc.ImgHoldingFull.save(scratch, "BMP"))
        return;
    // The built-in default needs no copy: a start without one shows it anyway.
    if (PathHelpers::FilesAreEqual(scratch, m_doc.RunFolder + QStringLiteral("/Default")))
        return;
    m_doc.ImgHoldingFull.save(m_doc.AppFolder + QStringLiteral("dtitle"), "PNG");
    m_doc.ImgHolding.save(m_doc.AppFolder + QStringLiteral("dtitle-sm"), "PNG");
}

bool HoldingSlide::exportTemplateSlide(PresentationApp& app, const QString& templatePath,
                                       const Targets& targets)
{
    if (!QFileInfo::exists(templatePath))
        return false;
    const auto opened = app.open(templatePath, PresentationApp::Visibility::Hidden);
    if (!opened.ok())
        return false;
    bool exported = true;
    for (const auto& [path, size] : targets)
        exported = exported && opened.value()
                                   ->exportSlide(1, path, PresentationDocument::ImageFormat::Bmp,
                                                 size.width(), size.height())
                                   .ok();
    opened.value()->close();
    return exported;
}

HoldingSlide::Pictures HoldingSlide::exportBuiltInDefault(PresentationApp& app,
                                                          const QString& templatePath,
                                                          const QString& thumbnailPath,
                                                          QSize thumbnailSize,
                                                          const QString& fullPath, QSize fullSize)
{
    if (!exportTemplateSlide(app, templatePath,
                             {{thumbnailPath, thumbnailSize}, {fullPath, fullSize}}))
        return {};
    const QImage thumbnail(thumbnailPath, "BMP");
    const QImage full(fullPath, "BMP");
    if (thumbnail.isNull() || full.isNull())
        return {};
    // Written back as this program writes pictures, so that Set Holding Slide's copy of it
    // compares equal.
    full.save(fullPath, "BMP");
    return {thumbnail, full};
}

void HoldingSlide::startBuiltInDefault(std::function<void(Pictures)> done)
{
    m_office.start<Pictures>(
        [&app = m_templates, templatePath = m_doc.AppFolder + QStringLiteral("ppt.ppt"),
         thumbnailPath = m_doc.RunFolder + QStringLiteral("/Slide1"),
         thumbnailSize = m_intake.thumbnailBox(),
         fullPath = m_doc.RunFolder + QStringLiteral("/Default"),
         fullSize = m_intake.screen()](const JobRunner::Control&) {
            return exportBuiltInDefault(app, templatePath, thumbnailPath, thumbnailSize, fullPath,
                                        fullSize);
        },
        std::move(done));
}

void HoldingSlide::setChanging(bool changing)
{
    m_changing += changing ? 1 : -1;
    if (m_changing == (changing ? 1 : 0))
        emit busyChanged(changing);
}

void HoldingSlide::screenSizeChanged()
{
    const QString fullPath = m_doc.RunFolder + QStringLiteral("/Default");
    if (!m_office.isBusy() &&
        !PathHelpers::FilesAreEqual(m_doc.RunFolder + QStringLiteral("/Slide1"), fullPath))
        return;
    setChanging(true);
    // Compared when the job runs, so that an export still under way has written its files.
    m_office.start<QImage>(
        [&app = m_templates, templatePath = m_doc.AppFolder + QStringLiteral("ppt.ppt"),
         copyPath = m_doc.RunFolder + QStringLiteral("/Slide1"), fullPath,
         size = m_intake.screen()](const JobRunner::Control&) {
            if (!PathHelpers::FilesAreEqual(copyPath, fullPath) ||
                !exportTemplateSlide(app, templatePath, {{fullPath, size}}))
                return QImage();
            return QImage(fullPath, "BMP");
        },
        [this](QImage full) {
            if (!full.isNull())
                take(QImage(), full);
            setChanging(false);
        });
}

void HoldingSlide::MnuRestoreDefault_Click()
{
    if (isBusy())
        return;
    setChanging(true);
    startBuiltInDefault([this](Pictures pictures) {
        const bool ok = !pictures.first.isNull();
        if (ok) {
            take(pictures.first, pictures.second);
            QFile::remove(m_doc.AppFolder + QStringLiteral("dtitle"));
            QFile::remove(m_doc.AppFolder + QStringLiteral("dtitle-sm"));
        }
        setChanging(false);
        emit restoreFinished(ok);
    });
}

void HoldingSlide::loadBuiltInDefault()
{
    startBuiltInDefault(
        [this](Pictures pictures) { emit builtInDefaultLoaded(pictures.first, pictures.second); });
}

void HoldingSlide::insertFromPreview(int slide, const QImage& thumbnail)
{
    if (isBusy())
        return;
    m_intake.takePreviewSlide(slide, thumbnail,
                              [this](const QImage& t, const QImage& f) { take(t, f); });
}
