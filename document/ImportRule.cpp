#include "ImportRule.h"

#include "DriveTypeSource.h"
#include "PathHelpers.h"

#include <QDir>

ImportRule::ImportRule(const DriveTypeSource& drives) : m_drives(drives) {}

QString ImportRule::copyTarget(const QString& path, const QString& importDir)
{
    const QString plain = PathHelpers::withTrailingSlash(importDir) + PathHelpers::FileNameOf(path);
    return PathHelpers::withSuffix(plain, PathHelpers::UniqueNumberSuffix(plain));
}

ImportRule::Outcome ImportRule::apply(const QString& path, const QString& importDir) const
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

    QDir().mkpath(importDir);
    const QString target = copyTarget(path, importDir);
    if (!PathHelpers::ShellCopyFile(path, target))
        return {Outcome::Kind::CopyFailed, QString()};
    return {Outcome::Kind::Copied, target};
}
