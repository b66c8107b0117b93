#pragma once

#include "ShowPort.h"

#include <vector>

class PresentationApp;

// Calls the presentation program on the calling thread and answers before returning. The
// threaded port runs these same steps on its worker; tests use this one directly.
class DirectShowPort : public ShowPort
{
public:
    explicit DirectShowPort(PresentationApp& program) : m_program(program) {}

    void launch(const QString& path, StartAt startAt, std::function<void(Launch)> done) override;
    void poll(std::shared_ptr<PresentationDocument> document, Front front,
              std::function<void(Poll)> done) override;
    void bringToFront(std::shared_ptr<PresentationDocument> document) override;
    void close(std::shared_ptr<PresentationDocument> document) override;
    void showUntracked(const QString& path) override;

    Launch launchNow(const QString& path, StartAt startAt);
    static Poll pollNow(PresentationDocument& document, Front front);

private:
    PresentationApp& m_program;
    // Shows nobody follows stay open until a later one finds them ended and closes them.
    std::vector<std::shared_ptr<PresentationDocument>> m_untracked;
};
