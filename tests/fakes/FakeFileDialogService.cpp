#include "FakeFileDialogService.h"

QString FakeFileDialogService::take(const QString& folder, const QString& filter)
{
    m_lastFolder = folder;
    m_lastFilter = filter;
    return m_choices.isEmpty() ? QString() : m_choices.takeFirst();
}

QString FakeFileDialogService::getOpenFileName(const QString& initialFolder, const QString& filter)
{
    return take(initialFolder, filter);
}

QString FakeFileDialogService::getSaveFileName(const QString& initialFolder, const QString& filter)
{
    return take(initialFolder, filter);
}
