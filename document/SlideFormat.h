#pragma once

#include <QString>

// The image format slides are extracted in, as the Slides menu offers them.
enum class SlideFormat
{
    Bmp,
    Emf,
    Gif,
    Jpg,
    Wmf
};

// Its three-letter code ("EMF"), also the extension of the slide pictures written in it.
QString slideFormatCode(SlideFormat format);
// A drawing, not a picture: it cannot be shown here as it is.
bool isMetafile(SlideFormat format);
