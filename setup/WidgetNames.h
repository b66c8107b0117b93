#pragma once

#include <QString>

class QAction;
class QObject;
class QWidget;

// How outside test drivers and screen readers find our controls: the accessible name says what a
// control is or shows, the accessible description is its name in the event's vocabulary.
class WidgetNames
{
public:
    static void set(QWidget* widget, const QString& accessibleName, const QString& name);
    // A menu item: the caption is what a screen reader reads; the name goes where tools look.
    static QAction* action(QObject* parent, const QString& caption, const QString& name);
};
