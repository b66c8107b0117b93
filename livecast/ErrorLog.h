#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

// The launch screen's record of transfer errors: "error.log" in the application folder, one
// line appended per error, so that play mode goes on without a message in front of the room.
class ErrorLog
{
public:
    static inline const QString FileName = QStringLiteral("error.log");

    explicit ErrorLog(const QString& appFolder,
                      std::function<QDateTime()> now = &QDateTime::currentDateTime);

    // error: "ErrorCode: " code " : " text, as TransferResult::error() gives it. False when the
    // line could not be written.
    bool append(const QString& error) const;
    // "Date & Time: " date " " time " " error.
    static QString line(const QDateTime& when, const QString& error);

private:
    QString m_path;
    std::function<QDateTime()> m_now;
};
