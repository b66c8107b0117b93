#pragma once

#include "platform/PresentationApp.h"

#include <QString>

#include <memory>

class LibreOfficeProfile;
class LibreOfficeSession;

// LibreOffice Impress as the presentation program. The program is found as "soffice" on PATH
// unless STAGOR_SOFFICE (or the constructor argument) names the binary.
//
// Each instance runs an soffice of its own, with its own profile in profileFolder (by default
// "lo-profile" in the default application folder; a folder beside it while another instance or
// another copy of the program holds that one) and its own pipe, started on first need and ended
// with the instance. Shows need a display; a headless instance serves exports and
// conversions beside the one that runs the shows, so that they never hold a show up.
class LibreOfficeApp : public PresentationApp
{
public:
    enum class Display
    {
        Screen,
        Headless, // no windows at all: runShow() fails
    };

    explicit LibreOfficeApp(const QString& configuredBinary = QString(),
                            const QString& profileFolder = QString(),
                            Display display = Display::Screen);
    ~LibreOfficeApp() override;

    LibreOfficeApp(const LibreOfficeApp&) = delete;
    LibreOfficeApp& operator=(const LibreOfficeApp&) = delete;

    bool isAvailable() const override { return !m_binary.isEmpty(); }
    QString location() const override { return m_binary; }

    // The office's one worker takes the calls in turn.
    bool takesCallsFromSeveralThreads() const override { return true; }
    void startInBackground() override;
    bool isRunning() override;
    PresentationResult<std::shared_ptr<PresentationDocument>> open(const QString& path,
                                                                   Visibility visibility) override;
    PresentationResult<std::shared_ptr<PresentationDocument>>
    buildFromPictures(const QStringList& picturePaths, Visibility visibility,
                      PictureFit fit = PictureFit::Centred) override;
    PresentationResult<int> openPresentationCount() override;
    PresentationStatus closeAll() override;
    PresentationStatus saveAndCloseAll(const QString& untitledFolder) override;
    // Returns at once: documents opened so far fail from now on, and callers still waiting for
    // the office (on other threads) are answered. See LibreOfficeSession::quit().
    PresentationStatus quit() override;
    void setShowScreen(const QRect& geometry) override;
    PresentationResult<std::shared_ptr<PresentationDocument>>
    showInOwnProcess(const QString& path) override;

    // The office process itself (not its launcher) while it runs, else 0.
    qint64 officeProcessId() const;

    // Resolves the soffice binary: a configured path when it is an executable file, else PATH.
    static QString findBinary(const QString& configuredBinary, const QString& pathVariable);

private:
    PresentationResult<std::shared_ptr<PresentationDocument>>
    documentFor(const PresentationResult<int>& id, const QString& path, int generation);

    QString m_binary;
    std::shared_ptr<LibreOfficeProfile> m_profile;
    std::shared_ptr<LibreOfficeSession> m_session;
};
