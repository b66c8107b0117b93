// vesk-stagor-demo FOLDER: writes the demo event (three generated talks, a holding slide and two
// pop-ups) into FOLDER through a headless office of its own, and prints the event file's path.

#include "platform/libreoffice/LibreOfficeApp.h"
#include "slides/DemoEventMaker.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: vesk-stagor-demo FOLDER\n");
        return 2;
    }
    QTemporaryDir profile;
    LibreOfficeApp office(QString(), profile.filePath(QStringLiteral("lo-profile")),
                          LibreOfficeApp::Display::Headless);
    if (!office.isAvailable()) {
        std::fprintf(stderr, "soffice not found\n");
        return 1;
    }
    const QString error = DemoEventMaker::make(office, arguments.at(1));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s/%s\n", qPrintable(arguments.at(1)), qPrintable(DemoEventMaker::EventName));
    return 0;
}
