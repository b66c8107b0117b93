#pragma once

#include <QString>

class QAction;
class QLabel;
class QObject;
class QWidget;

// How outside test drivers and screen readers find our controls: the accessible name says what a
// control is or shows, the accessible description is its name in the event's vocabulary.
class WidgetNames
{
public:
    static void set(QWidget* widget, const QString& accessibleName, const QString& name);
    // A control that shows data is read out as what it is followed by what it shows,
    // "Number of speakers: 3"; an empty value leaves the caption alone.
    static QString dataName(const QString& caption, const QString& value);
    // Shows text in a label that shows data and gives it the matching accessible name.
    static void showData(QLabel* label, const QString& caption, const QString& text);
    // A menu item: the caption is what a screen reader reads; the name goes where tools look.
    static QAction* action(QObject* parent, const QString& caption, const QString& name);
};
