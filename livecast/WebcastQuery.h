#pragma once

#include <QString>

class WebcastServerSettings;

// The question to the vendor's web service which webcast server serves this installation, and
// what its answer means.
class WebcastQuery
{
public:
    enum class Outcome
    {
        Connected,   // the answer names a server: Webcast mode may go on
        NoServer,    // the service answered, but has no server for this installation
        NoConnection // no answer, or not an "OK" one
    };
    struct Reading
    {
        Outcome outcome;
        QString status; // what the webcast window shows
    };

    static inline const QString NoConnectionStatus =
        QStringLiteral("No internet connection available");
    static inline const QString NoConnectionMessage =
        QStringLiteral("No internet connection available.");

    // serviceAddress ends with "/".
    static QString url(const QString& serviceAddress, const QString& productId);
    // An "OK" answer fills every setting; any other answer (or none: an empty text) only
    // empties the FTP address, so that nothing is sent to the server of an earlier answer.
    static Reading read(const QString& answer, const QString& productId,
                        WebcastServerSettings& settings);
};
