#pragma once

#include "platform/FileDialogService.h"

#include <QStringList>

// Returns scripted choices; an empty queue means the operator cancelled the dialog.
class FakeFileDialogService : public FileDialogService
{
public:
    QString getOpenFileName(const QString&, const QString& filter) override
    {
        m_lastFilter = filter;
        return m_choices.isEmpty() ? QString() : m_choices.takeFirst();
    }
    QString getSaveFileName(const QString& folder, const QString& filter,
                            ReplaceQuestion replace) override
    {
        m_lastReplace = replace;
        return getOpenFileName(folder, filter);
    }

    void queueChoice(const QString& path) { m_choices << path; }
    QString lastFilter() const { return m_lastFilter; }
    ReplaceQuestion lastReplaceQuestion() const { return m_lastReplace; }

private:
    QStringList m_choices;
    QString m_lastFilter;
    ReplaceQuestion m_lastReplace = ReplaceQuestion::ByDialog;
};
