#pragma once

#include <QString>

// The open and save dialogs. Filters are given as "Description|pattern;pattern|..." pairs.
// An empty result means the operator chose nothing.
class FileDialogService
{
public:
    // Who asks before an existing file is replaced: the save dialog, or the command that saves,
    // which has its own question (and then the dialog must not ask first).
    enum class ReplaceQuestion
    {
        ByDialog,
        ByCommand,
    };

    virtual ~FileDialogService() = default;

    virtual QString getOpenFileName(const QString& initialFolder, const QString& filter) = 0;
    // The chosen name ends with the extension of the filter's first pattern ("*.evp": ".evp"),
    // added when the typed name does not end with it.
    virtual QString getSaveFileName(const QString& initialFolder, const QString& filter,
                                    ReplaceQuestion replace) = 0;
};
