#pragma once

#include "platform/WebWindows.h"

#include <QList>
#include <QStringList>

// Records what would have been shown; every window closes at once.
class FakeWebWindows : public WebWindows
{
public:
    void showPage(const QUrl& url) override { pages << url; }
    void playFlash(const QString& path) override { movies << path; }

    QList<QUrl> pages;
    QStringList movies;
};
