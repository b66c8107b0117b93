#pragma once

#include "platform/FileDialogService.h"

#include <QStringList>

// Returns scripted choices; an empty queue means the operator cancelled the dialog.
class FakeFileDialogService : public FileDialogService
{
public:
    QString getOpenFileName(const QString& initialFolder, const QString& filter) override;
    QString getSaveFileName(const QString& initialFolder, const QString& filter,
                            ReplaceQuestion replace) override;

    void queueChoice(const QString& path) { m_choices << path; }
    QString lastFilter() const { return m_lastFilter; }
    ReplaceQuestion lastReplaceQuestion() const { return m_lastReplace; }

private:
    QString take(const QString& filter);

    QStringList m_choices;
    QString m_lastFilter;
    ReplaceQuestion m_lastReplace = ReplaceQuestion::ByDialog;
};
