#include "tests/fakes/FakeFileDialogService.h"

QString FakeFileDialogService::take(const QString& filter)
{
    m_lastFilter = filter;
    return m_choices.isEmpty() ? QString() : m_choices.takeFirst();
}

QString FakeFileDialogService::getOpenFileName(const QString&, const QString& filter)
{
    return take(filter);
}

QString FakeFileDialogService::getSaveFileName(const QString&, const QString& filter,
                                               ReplaceQuestion replace)
{
    m_lastReplace = replace;
    return take(filter);
}
