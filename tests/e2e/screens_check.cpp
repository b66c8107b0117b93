// screens_check [EXPECTED…]: prints the screens a Qt program sees on the current display, one a
// line as "NAME X,Y WxH", " primary" after the primary one; when lines are given, fails unless
// the screens are exactly those.

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QStringList seen;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->geometry();
        QString line = QStringLiteral("%1 %2,%3 %4x%5")
                           .arg(screen->name())
                           .arg(area.x())
                           .arg(area.y())
                           .arg(area.width())
                           .arg(area.height());
        if (screen == QGuiApplication::primaryScreen())
            line += QStringLiteral(" primary");
        std::printf("%s\n", qPrintable(line));
        seen << line;
    }
    const QStringList expected = QGuiApplication::arguments().mid(1);
    if (!expected.isEmpty() && expected != seen) {
        std::fprintf(stderr, "expected: %s\n", qPrintable(expected.join(QStringLiteral("; "))));
        return 1;
    }
    return 0;
}
