#pragma once

#include "PresentationApp.h"

#include <QString>

// LibreOffice Impress as the presentation program. The program is found as "soffice" on PATH
// unless STAGOR_SOFFICE (or the constructor argument) names the binary.
class LibreOfficeApp : public PresentationApp
{
public:
    explicit LibreOfficeApp(const QString& configuredBinary = QString());

    bool isAvailable() const override { return !m_binary.isEmpty(); }
    QString location() const override { return m_binary; }

    // Resolves the soffice binary: a configured path when it is an executable file, else PATH.
    static QString findBinary(const QString& configuredBinary, const QString& pathVariable);

private:
    QString m_binary;
};
