#pragma once

#include <QIcon>
#include <QString>

// The two small pictures of presentation files: an editable presentation and a show that
// starts on opening. Drawn here, so that they look the same on every desktop.
class FileIcons
{
public:
    static QIcon presentation();
    static QIcon show();
    // The show picture for ".pps"/"ppsx", else the presentation picture.
    static QIcon forFile(const QString& path);
};
