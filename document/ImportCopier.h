#pragma once

#include "document/ImportRule.h"
#include "platform/JobRunner.h"

#include <QObject>
#include <QString>

#include <functional>

// Runs the import rule's copies off the interface thread, one at a time, and tells the copy
// window what to show: the file's name and how far the copy has come. Cancel stops the copy
// within one chunk and removes what was written.
class ImportCopier : public QObject
{
    Q_OBJECT

public:
    static inline const QString StatusPrefix = QStringLiteral("Copying - ");

    explicit ImportCopier(QObject* parent = nullptr);

    // done(outcome) comes on this thread with Copied, CopyFailed or Cancelled. False, with
    // nothing started, while another copy runs.
    bool copy(const QString& source, const QString& target,
              std::function<void(ImportRule::Outcome)> done);

    // The copy window's Cancel. A copy that ended meanwhile, before its done came, is removed
    // and reported as cancelled too, so that Cancel always ends the operation.
    void ComCancel_Click();
    bool isRunning() const { return m_jobs.isBusy(); }

signals:
    // The copy window shows from copyStarted() to copyFinished(); a copy started from done
    // follows without a copyFinished() in between.
    void copyStarted();
    // "Copying - " + file name, and the whole per cent copied; sent when the per cent changes.
    void progressChanged(const QString& status, int percent);
    void copyFinished();

private:
    JobRunner m_jobs;
    bool m_cancelled = false;
};
