#include "document/SlideFormat.h"

QString slideFormatCode(SlideFormat format)
{
    switch (format) {
    case SlideFormat::Bmp:
        return QStringLiteral("BMP");
    case SlideFormat::Emf:
        return QStringLiteral("EMF");
    case SlideFormat::Gif:
        return QStringLiteral("GIF");
    case SlideFormat::Jpg:
        return QStringLiteral("JPG");
    case SlideFormat::Wmf:
        break;
    }
    return QStringLiteral("WMF");
}

bool isMetafile(SlideFormat format)
{
    return format == SlideFormat::Emf || format == SlideFormat::Wmf;
}
