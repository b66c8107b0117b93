#include "WidgetNames.h"

#include <QAction>
#include <QWidget>

void WidgetNames::set(QWidget* widget, const QString& accessibleName, const QString& name)
{
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    widget->setAccessibleDescription(name);
}

QAction* WidgetNames::action(QObject* parent, const QString& caption, const QString& name)
{
    auto* action = new QAction(caption, parent);
    action->setObjectName(name);
    action->setToolTip(QString(caption).remove(QLatin1Char('&')));
    action->setStatusTip(name);
    action->setWhatsThis(name);
    return action;
}
