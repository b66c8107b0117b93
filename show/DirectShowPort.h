#pragma once

#include "show/ShowPort.h"

#include <QDateTime>

#include <vector>

class PresentationApp;

// Calls the presentation program on the calling thread and answers before returning. The
// threaded port runs these same steps on its worker; tests use this one directly.
class DirectShowPort : public ShowPort
{
public:
    explicit DirectShowPort(PresentationApp& program) : m_program(program) {}

    void launch(const QString& path, StartAt startAt, std::function<void(Launch)> done) override;
    void prepare(const QString& path, std::function<void(bool)> done) override;
    void poll(std::shared_ptr<PresentationDocument> document, Front front,
              std::function<void(Poll)> done) override;
    void bringToFront(std::shared_ptr<PresentationDocument> document) override;
    void close(std::shared_ptr<PresentationDocument> document) override;
    void showUntracked(const QString& path) override;

    Launch launchNow(const QString& path, StartAt startAt);
    bool prepareNow(const QString& path);
    static Poll pollNow(PresentationDocument& document, Front front);

private:
    struct Prepared
    {
        QString path;
        // The file as it was opened: a file replaced since is opened again.
        QDateTime modified;
        qint64 size = -1;
        std::shared_ptr<PresentationDocument> document;
    };

    // The document prepared for path, taken out of m_prepared; null when there is none or the
    // file changed since. One prepared for another path is closed.
    std::shared_ptr<PresentationDocument> takePrepared(const QString& path);
    bool preparedIsCurrent() const;
    // When the program failed to run path's show, the program's own start-as-show of it.
    Launch showInOwnProcess(const QString& path, Launch failed);

    PresentationApp& m_program;
    Prepared m_prepared;
    // Shows nobody follows stay open until a later one finds them ended and closes them.
    std::vector<std::shared_ptr<PresentationDocument>> m_untracked;
};
