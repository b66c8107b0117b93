#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// "status.inf", the ten lines the audience's web player follows: "&info" digit "=" value "& "
// label, in a fixed order. Also read back when the launch screen opens, for the player options
// the operator chose last time.
class LiveStatusRecord
{
public:
    static inline const QString FileName = QStringLiteral("status.inf");

    struct Values
    {
        QString dateTime;
        QString presenter; // as written, already in the mode's form
        QString slide;
        QString rolling; // "true", "false" or empty
        QString view;    // 0 to 3, or empty
        QString scale;   // or empty
        bool presenterStageLeft = true;
        bool stretchSlides = false;
        bool ratio43 = true;
        bool hidePlayerControls = false;
    };

    struct PlayerOptions
    {
        std::optional<int> view;  // ComboViewLC's index
        std::optional<int> scale; // HScrollLC's value
        bool rolling = false;     // ChkRolling ticked
    };

    static QStringList lines(const Values& values);
    // The text between a line's first "=" and the next "&"; up to the line's end without one.
    static QString StatusValueOf(const QString& line);
    // The options a status file holds; nothing for a value that is missing or no number, or a
    // view outside 0 to 3. A missing file gives no options at all.
    static PlayerOptions readPlayerOptions(const QString& path);
};
