#pragma once

#include <QString>
#include <QUrl>

// Web pages over the launch screen: the session page of Internet connect and the Flash movie of
// Quick Launch, each full screen and modal until the operator closes it by key; both calls
// return once the window has gone.
class WebWindows
{
public:
    virtual ~WebWindows() = default;

    // Escape or F1 closes it. An empty url shows a page of our own saying that no page is set.
    virtual void showPage(const QUrl& url) = 0;
    // The movie in a Flash-compatible player; Backspace or Escape closes it, "1" starts the
    // movie again.
    virtual void playFlash(const QString& path) = 0;
};
