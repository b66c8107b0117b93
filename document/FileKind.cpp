#include "document/FileKind.h"

FileKind fileKindOf(const QString& path)
{
    if (path.isEmpty())
        return FileKind::None;
    const QString four = path.right(4).toLower();
    if (four == QLatin1String(".ppt") || four == QLatin1String("pptx"))
        return FileKind::Presentation;
    if (four == QLatin1String(".pps") || four == QLatin1String("ppsx"))
        return FileKind::Show;
    if (four == QLatin1String(".swf"))
        return FileKind::Flash;
    const QString three = path.right(3).toLower();
    if (three == QLatin1String("evf"))
        return FileKind::EventFile;
    if (three == QLatin1String("zev"))
        return FileKind::ZippedEvent;
    if (three == QLatin1String("evp"))
        return FileKind::PopUpsFile;
    return FileKind::Unknown;
}
