// Writes the Flash file of one JPEG picture, as the slide export does: swf_write IN.jpg OUT.swf
#include "slides/SwfWriter.h"

#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: swf_write PICTURE.jpg MOVIE.swf\n");
        return 2;
    }
    const QString error =
        SwfWriter::writeFile(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "swf_write: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
