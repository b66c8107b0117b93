#pragma once

#include <QString>

// The open and save dialogs. Filters are given as "Description|pattern;pattern|..." pairs.
// An empty result means the operator chose nothing.
class FileDialogService
{
public:
    virtual ~FileDialogService() = default;

    virtual QString getOpenFileName(const QString& initialFolder, const QString& filter) = 0;
    virtual QString getSaveFileName(const QString& initialFolder, const QString& filter) = 0;
};
