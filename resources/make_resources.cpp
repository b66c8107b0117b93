#include "resources/DefaultPictures.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

// Build step: draws the shipped pictures into the resources folder given as the argument.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_resources FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    if (!DefaultPictures::writeAll(folder)) {
        std::fprintf(stderr, "make_resources: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
