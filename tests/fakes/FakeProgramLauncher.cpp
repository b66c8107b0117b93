#include "tests/fakes/FakeProgramLauncher.h"

bool FakeProgramLauncher::start(const QString& program, const QStringList& arguments)
{
    if (m_startsFail)
        return false;
    m_started.append({program, arguments});
    return true;
}
