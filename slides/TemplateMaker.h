#pragma once

#include "platform/JobRunner.h"
#include "platform/PresentationApp.h"

#include <QObject>
#include <QString>
#include <QStringList>

// Makes the program's own template presentations "ppt.pptx", "ppt.ppt" and "pps.pps" in the
// application folder: one slide showing the default holding picture. Templates the folder
// already has are kept. The presentation program's calls block, so the work runs off this
// thread and ends with finished().
class TemplateMaker : public QObject
{
    Q_OBJECT

public:
    static inline const QStringList TemplateNames = {
        QStringLiteral("ppt.pptx"), QStringLiteral("ppt.ppt"), QStringLiteral("pps.pps")};

    // app must outlive the maker.
    explicit TemplateMaker(PresentationApp& app, QObject* parent = nullptr);
    // Waits a bounded time for a running job.
    ~TemplateMaker() override;

    // The templates appFolder (ending in "/") lacks.
    static QStringList missingTemplates(const QString& appFolder);

    // Builds the missing templates from picturePath (any picture file, extension or not),
    // working in workFolder. False, with nothing started, when nothing is missing or a job runs.
    bool start(const QString& appFolder, const QString& picturePath, const QString& workFolder);
    bool isBusy() const { return m_jobs.isBusy(); }

signals:
    // error is empty when every template was made.
    void finished(const QString& error);

private:
    static QString make(PresentationApp& app, const QString& appFolder, const QString& picturePath,
                        const QString& workFolder);

    PresentationApp& m_app;
    JobRunner m_jobs;
};
