#include "HoldingSlide.h"

#include "BackgroundJob.h"
#include "ClipboardService.h"
#include "EventDocument.h"
#include "FileDialogService.h"
#include "PathHelpers.h"
#include "PresentationApp.h"
#include "SlideIntake.h"

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
    const QString file = m_dialogs.getOpenFileName(QString(), OpenFilter);
    if (file.isEmpty())
        return;
    emit closePreviewRequested();
    m_intake.takeFile(file, [this](const QImage& t, const QImage& f) { take(t, f); });
}

void HoldingSlide::drop(const QMimeData* data)
{
    if (m_intake.takeMime(data, [this](const QImage& t, const QImage& f) { take(t, f); }))
        m_doc.HoldingTimeCode.clear();
}

void HoldingSlide::paste()
{
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
    if (!m_doc.hasHoldingSlide())
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

bool HoldingSlide::exportTemplateSlide(const QList<std::pair<QString, QSize>>& targets)
{
    const QString templatePath = m_doc.AppFolder + QStringLiteral("ppt.ppt");
    if (!QFileInfo::exists(templatePath))
        return false;
    bool exported = false;
    PresentationApp& app = m_templates;
    // Exports wait on the presentation program: the window keeps painting meanwhile.
    BackgroundJob::run(
        [&] {
            const auto opened = app.open(templatePath, PresentationApp::Visibility::Hidden);
            if (!opened.ok())
                return;
            exported = true;
            for (const auto& [path, size] : targets)
                exported =
                    exported && opened.value()
                                    ->exportSlide(1, path, PresentationDocument::ImageFormat::Bmp,
                                                  size.width(), size.height())
                                    .ok();
            opened.value()->close();
        },
        [] {});
    return exported;
}

bool HoldingSlide::exportBuiltInDefault(QImage& thumbnailOut, QImage& fullOut)
{
    const QString thumbnailPath = m_doc.RunFolder + QStringLiteral("/Slide1");
    const QString fullPath = m_doc.RunFolder + QStringLiteral("/Default");
    if (!exportTemplateSlide(
            {{thumbnailPath, m_intake.thumbnailBox()}, {fullPath, m_intake.screen()}}))
        return false;
    const QImage thumbnail(thumbnailPath, "BMP");
    const QImage full(fullPath, "BMP");
    if (thumbnail.isNull() || full.isNull())
        return false;
    // Written back as this program writes pictures, so that Set Holding Slide's copy of it
    // compares equal.
    full.save(fullPath, "BMP");
    thumbnailOut = thumbnail;
    fullOut = full;
    return true;
}

void HoldingSlide::screenSizeChanged()
{
    const QString fullPath = m_doc.RunFolder + QStringLiteral("/Default");
    if (!PathHelpers::FilesAreEqual(m_doc.RunFolder + QStringLiteral("/Slide1"), fullPath))
        return;
    if (!exportTemplateSlide({{fullPath, m_intake.screen()}}))
        return;
    const QImage full(fullPath, "BMP");
    if (!full.isNull())
        take(QImage(), full);
}

void HoldingSlide::MnuRestoreDefault_Click()
{
    QImage thumbnail;
    QImage full;
    const bool ok = exportBuiltInDefault(thumbnail, full);
    if (ok) {
        take(thumbnail, full);
        QFile::remove(m_doc.AppFolder + QStringLiteral("dtitle"));
        QFile::remove(m_doc.AppFolder + QStringLiteral("dtitle-sm"));
    }
    emit restoreFinished(ok);
}

void HoldingSlide::loadBuiltInDefault()
{
    QImage thumbnail;
    QImage full;
    exportBuiltInDefault(thumbnail, full);
    emit builtInDefaultLoaded(thumbnail, full);
}

void HoldingSlide::insertFromPreview(int slide, const QImage& thumbnail)
{
    m_intake.takePreviewSlide(slide, thumbnail,
                              [this](const QImage& t, const QImage& f) { take(t, f); });
}
