#pragma once

#include <QByteArray>
#include <QString>

// A server's folder listing turned into the form callers read: one entry a line, each ended by
// CR LF, a folder's name followed by "/", and neither the folder itself nor its parent.
class FtpListing
{
public:
    // Machine listing lines ("type=dir;size=0; name").
    static QString fromMlsd(const QByteArray& listing);
    // LIST lines as Unix ("drwxr-xr-x 2 u g 4096 Jan 1 12:00 name") and Windows ("01-01-24
    // 12:00PM <DIR> name") servers write them; lines of neither form are left out.
    static QString fromList(const QByteArray& listing);
};
