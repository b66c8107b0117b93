#include "slides/TemplateMaker.h"

#include "platform/PresentationDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

TemplateMaker::TemplateMaker(PresentationApp& app, QObject* parent) : QObject(parent), m_app(app) {}

TemplateMaker::~TemplateMaker() = default;

QStringList TemplateMaker::missingTemplates(const QString& appFolder)
{
    QStringList missing;
    for (const QString& name : TemplateNames) {
        if (!QFileInfo::exists(appFolder + name))
            missing << name;
    }
    return missing;
}

bool TemplateMaker::start(const QString& appFolder, const QString& picturePath,
                          const QString& workFolder)
{
    if (isBusy() || missingTemplates(appFolder).isEmpty())
        return false;
    m_jobs.start<QString>(
        [&app = m_app, appFolder, picturePath, workFolder](const JobRunner::Control&) {
            return make(app, appFolder, picturePath, workFolder);
        },
        [this](QString error) { emit finished(error); });
    return true;
}

QString TemplateMaker::make(PresentationApp& app, const QString& appFolder,
                            const QString& picturePath, const QString& workFolder)
{
    // The picture goes in under a name with an extension, which the program needs to know what
    // it is given.
    const QImage picture(picturePath);
    if (picture.isNull())
        return QStringLiteral("The template picture %1 cannot be read.").arg(picturePath);
    QDir().mkpath(workFolder);
    const QString slidePicture = workFolder + QStringLiteral("/template-slide.png");
    if (!picture.save(slidePicture, "PNG"))
        return QStringLiteral("The template picture cannot be written to %1.").arg(workFolder);

    const auto built = app.buildFromPictures({slidePicture}, PresentationApp::Visibility::Hidden);
    QFile::remove(slidePicture);
    if (!built.ok())
        return built.error();
    const std::shared_ptr<PresentationDocument> deck = built.value();

    const QList<std::pair<QString, PresentationDocument::FileFormat>> formats = {
        {QStringLiteral("ppt.pptx"), PresentationDocument::FileFormat::Pptx},
        {QStringLiteral("ppt.ppt"), PresentationDocument::FileFormat::Ppt},
        {QStringLiteral("pps.pps"), PresentationDocument::FileFormat::Pps}};
    QString error;
    for (const auto& [name, format] : formats) {
        const QString target = appFolder + name;
        if (QFileInfo::exists(target))
            continue;
        // Written beside the target and renamed, so a failed save never leaves half a template
        // that later starts would take for a whole one.
        const QString part = workFolder + QLatin1Char('/') + name;
        QFile::remove(part);
        const PresentationStatus saved = deck->saveCopyAs(part, format);
        if (!saved.ok() || !QFile::rename(part, target)) {
            QFile::remove(part);
            if (error.isEmpty())
                error = saved.ok()
                            ? QStringLiteral("The template %1 cannot be written.").arg(target)
                            : saved.error();
        }
    }
    deck->close();
    return error;
}
