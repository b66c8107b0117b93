#include "tests/fakes/FakeDriveTypeSource.h"

DriveTypeSource::DriveType FakeDriveTypeSource::driveTypeOf(const QString& path) const
{
    DriveType type = Fixed;
    qsizetype longest = -1;
    for (auto it = m_types.cbegin(); it != m_types.cend(); ++it) {
        const QString folder = it.key().endsWith('/') ? it.key() : it.key() + '/';
        if ((path.startsWith(folder) || path + '/' == folder) && folder.size() > longest) {
            longest = folder.size();
            type = it.value();
        }
    }
    return type;
}
