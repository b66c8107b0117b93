#include "document/ImportRule.h"

#include "platform/DriveTypeSource.h"

#include <QDir>
#include <QFileInfo>

ImportRule::ImportRule(const DriveTypeSource& drives) : m_drives(drives) {}

QString ImportRule::copyTarget(const QString& path, const QString& importDir)
{
    const QString plain = PathHelpers::withTrailingSlash(importDir) + PathHelpers::FileNameOf(path);
    return PathHelpers::withSuffix(plain, PathHelpers::UniqueNumberSuffix(plain));
}

ImportRule::Outcome ImportRule::decide(const QString& path, const QString& importDir) const
{
    // A network path in the Windows sense ("//server/share") is remote whatever else is known.
    const DriveTypeSource::DriveType type =
        path.startsWith(QLatin1String("//")) ? DriveTypeSource::Remote : m_drives.driveTypeOf(path);
    switch (type) {
    case DriveTypeSource::Unknown:
        return {Outcome::Kind::DriveUndetermined, QString()};
    case DriveTypeSource::Fixed:
        return {Outcome::Kind::InPlace, path};
    default:
        break;
    }
    if (int(type) > int(DriveTypeSource::RamDisk))
        return {Outcome::Kind::InPlace, path};
    return {Outcome::Kind::ToCopy, copyTarget(path, importDir)};
}

ImportRule::Outcome ImportRule::copy(const QString& source, const QString& target,
                                     const PathHelpers::CopyProgress& progress,
                                     const std::atomic<bool>* stop)
{
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (PathHelpers::ShellCopyFile(source, target, progress, stop))
        return {Outcome::Kind::Copied, target};
    if (stop && stop->load())
        return {Outcome::Kind::Cancelled, QString()};
    return {Outcome::Kind::CopyFailed, QString()};
}
