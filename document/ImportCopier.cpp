#include "document/ImportCopier.h"

#include "document/PresentationsUnpacker.h"

#include <QFile>

#include <utility>

ImportCopier::ImportCopier(QObject* parent) : QObject(parent) {}

bool ImportCopier::copy(const QString& source, const QString& target,
                        std::function<void(ImportRule::Outcome)> done)
{
    if (isRunning())
        return false;
    const QString status = StatusPrefix + PathHelpers::FileNameOf(source);
    emit copyStarted();
    emit progressChanged(status, 0);
    m_jobs.start<ImportRule::Outcome>(
        [this, source, target, status](const JobRunner::Control& control) {
            int lastPercent = 0;
            // On the copying thread: only a new per cent is queued to this one.
            const auto progress = [&](qint64 doneBytes, qint64 totalBytes) {
                const int percent = PresentationsUnpacker::percentOf(doneBytes, totalBytes);
                if (percent == lastPercent)
                    return;
                lastPercent = percent;
                control.postLatest(
                    [this, status, percent] { emit progressChanged(status, percent); });
            };
            return ImportRule::copy(source, target, progress, control.stopFlag());
        },
        [this, done = std::move(done)](ImportRule::Outcome outcome) {
            if (std::exchange(m_cancelled, false)) {
                if (outcome.kind == ImportRule::Outcome::Kind::Copied)
                    QFile::remove(outcome.path);
                outcome = {ImportRule::Outcome::Kind::Cancelled, QString()};
            }
            // The next copy of the same operation starts from done: the window stays up.
            if (done)
                done(outcome);
            if (!isRunning())
                emit copyFinished();
        });
    return true;
}

void ImportCopier::ComCancel_Click()
{
    if (!isRunning())
        return;
    m_cancelled = true;
    m_jobs.cancel();
}
