#include "TemplateMaker.h"

#include "PresentationDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QThread>

TemplateMaker::TemplateMaker(PresentationApp& app, QObject* parent) : QObject(parent), m_app(app) {}

TemplateMaker::~TemplateMaker()
{
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

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
    if (m_thread || missingTemplates(appFolder).isEmpty())
        return false;
    m_thread = QThread::create([this, appFolder, picturePath, workFolder] {
        m_error = make(appFolder, picturePath, workFolder);
    });
    connect(m_thread, &QThread::finished, this, [this] {
        m_thread->wait();
        m_thread->deleteLater();
        m_thread = nullptr;
        emit finished(m_error);
    });
    m_thread->start();
    return true;
}

QString TemplateMaker::make(const QString& appFolder, const QString& picturePath,
                            const QString& workFolder)
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

    const auto built = m_app.buildFromPictures({slidePicture}, PresentationApp::Visibility::Hidden);
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
