#include "platform/webengine/KeyTarget.h"

#include <QWidget>
#include <QWindow>

bool keyIsFor(const QWidget* window, const QObject* target)
{
    if (window->isActiveWindow() || target == window->windowHandle())
        return true;
    const auto* widget = qobject_cast<const QWidget*>(target);
    return widget && (widget == window || window->isAncestorOf(widget));
}
