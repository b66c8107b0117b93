#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// "Session.INI" in the application folder: the session that Connect mode joins, as five bracket
// fields back to back ("[" + text + "]", one byte a character): name, subtitle, description,
// password flag and password.
class SessionRecord
{
public:
    static inline const QString FileName = QStringLiteral("Session.INI");

    QString SessionName;
    QString SessionSubtitle;
    QString Description;
    // "0" when there is no password, otherwise the "Password Protect" check ("0" or "1").
    QString PasswordFlag = QStringLiteral("0");
    QString Password;

    static bool exists(const QString& appFolder);
    // A missing, damaged or truncated file gives empty values from the first bad field on.
    static SessionRecord load(const QString& appFolder);
    // Replaces the file.
    bool save(const QString& appFolder) const;

    // A field ends at its first "]", so a "]" typed into a text is left out; characters beyond
    // one byte are written as "?".
    QByteArray encode() const;
    static SessionRecord decode(QByteArrayView bytes);

    bool passwordProtected() const { return PasswordFlag.trimmed().toInt() != 0; }

    bool operator==(const SessionRecord&) const = default;
};
