#pragma once

#include "document/SlideFormat.h"

#include <QString>

// Settings of the installation and the operator that several windows read.
struct ProgramSettings
{
    ::SlideFormat SlideImageFormat = ::SlideFormat::Emf;
    QString OemWebAddress;
    QString OemName = QStringLiteral("vesk");
    QString OemShortName = QStringLiteral("vesk");
};
