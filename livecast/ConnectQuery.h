#pragma once

#include <QString>

class SessionRecord;
class WebcastServerSettings;

// The question to a connect server (a webcast server given by its address) and what its answer
// means.
class ConnectQuery
{
public:
    // Connect servers answer on the standard HTTP port.
    static constexpr int DefaultHttpPort = 80;

    // Whether the server is there: the query without a session.
    static QString url(const QString& address, const QString& productId,
                       int httpPort = DefaultHttpPort);
    // Joining the session: the query with its name, subtitle, description and password (the
    // password flag stays here). Values are percent-encoded, so a blank or "&" in a name
    // reaches the server as typed.
    static QString url(const QString& address, const QString& productId,
                       const SessionRecord& session, int httpPort = DefaultHttpPort);

    // The answer's test code is "OK".
    static bool answeredOk(const QString& answer);
    // Fills every setting from the session query's answer, taken as it comes (missing items
    // leave empty values); the FTP server is the connect server itself.
    static void fill(const QString& answer, const QString& address, const QString& productId,
                     WebcastServerSettings& settings);
};
