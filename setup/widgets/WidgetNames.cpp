#include "setup/widgets/WidgetNames.h"

#include <QAction>
#include <QLabel>
#include <QWidget>

void WidgetNames::set(QWidget* widget, const QString& accessibleName, const QString& name)
{
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    widget->setAccessibleDescription(name);
}

QString WidgetNames::dataName(const QString& caption, const QString& value)
{
    return value.isEmpty() ? caption : caption + QStringLiteral(": ") + value;
}

void WidgetNames::showData(QLabel* label, const QString& caption, const QString& text)
{
    label->setText(text);
    // Every change of name is announced; a timer that writes the same text says nothing new.
    const QString name = dataName(caption, text);
    if (label->accessibleName() != name)
        label->setAccessibleName(name);
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
