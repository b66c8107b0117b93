#pragma once

#include <QString>

// Where an FTP session logs in: "ftp://" + host (and ":" + port when it is not 21), the user
// and the password.
struct FtpAccount
{
    QString url;
    QString userName;
    QString password;

    bool operator==(const FtpAccount&) const = default;
};
