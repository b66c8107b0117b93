#include "livecast/LiveStatusRecord.h"

#include "document/SettingsLines.h"

namespace {

QString trueFalse(bool value)
{
    return SettingsLines::boolText(value);
}

std::optional<int> numberIn(const QString& text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

} // namespace

QStringList LiveStatusRecord::lines(const Values& values)
{
    return {
        QStringLiteral("&info0=") + values.dateTime + QStringLiteral("& Date Time Stamp"),
        QStringLiteral("&info1=") + values.presenter + QStringLiteral("& Presenter"),
        QStringLiteral("&info2=") + values.slide.trimmed() + QStringLiteral("& Current Slide"),
        QStringLiteral("&info3=") + values.rolling + QStringLiteral("& Rolling"),
        QStringLiteral("&info4=") + values.view + QStringLiteral("& View"),
        QStringLiteral("&info5=") + values.scale + QStringLiteral("& Scale Bar"),
        values.presenterStageLeft ? QStringLiteral("&info6=stageLeft& Presenter Position")
                                  : QStringLiteral("&info6=stageRight& Presenter Position"),
        QStringLiteral("&info7=") + trueFalse(values.stretchSlides) +
            QStringLiteral("& Stretch Slides"),
        values.ratio43 ? QStringLiteral("&info8=4:3& Ratio") : QStringLiteral("&info8=16:9& Ratio"),
        QStringLiteral("&info9=") + trueFalse(values.hidePlayerControls) +
            QStringLiteral("& Hide Player Controls"),
    };
}

QString LiveStatusRecord::StatusValueOf(const QString& line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return QString();
    const qsizetype amp = line.indexOf(QLatin1Char('&'), equals + 1);
    return amp < 0 ? line.mid(equals + 1) : line.mid(equals + 1, amp - equals - 1);
}

LiveStatusRecord::PlayerOptions LiveStatusRecord::readPlayerOptions(const QString& path)
{
    PlayerOptions options;
    const std::optional<QStringList> lines = SettingsLines::read(path);
    if (!lines)
        return options;
    for (const QString& line : *lines) {
        const QString value = StatusValueOf(line);
        if (line.startsWith(QLatin1String("&info4="))) {
            const std::optional<int> view = numberIn(value);
            if (view && *view >= 0 && *view <= 3)
                options.view = view;
        } else if (line.startsWith(QLatin1String("&info5="))) {
            options.scale = numberIn(value);
        } else if (line.startsWith(QLatin1String("&info3="))) {
            options.rolling = value == QLatin1String("true");
        }
    }
    return options;
}
