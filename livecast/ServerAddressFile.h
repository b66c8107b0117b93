#pragma once

#include <QString>

#include <array>
#include <optional>

// "ServerIP.INI" in the application folder: the connect server's address as four lines, one
// decimal octet each, as the server window's four boxes hold them.
class ServerAddressFile
{
public:
    static inline const QString FileName = QStringLiteral("ServerIP.INI");
    using Octets = std::array<QString, 4>;

    static bool exists(const QString& appFolder);
    // The four lines; a line that is not one to three digits reads as empty, and so do lines
    // missing from a short file. Nothing when there is no file.
    static std::optional<Octets> load(const QString& appFolder);
    // Replaces the file with the four octets.
    static bool save(const QString& appFolder, const Octets& octets);

    // The octets joined by ".".
    static QString address(const Octets& octets);
    // Every octet holds one to three digits and a value of at most 255.
    static bool valid(const Octets& octets);
    // What a box accepts as typed: the digits, nothing else.
    static bool isOctetText(const QString& text);
};
