#include "platform/libreoffice/LibreOfficeSeparateShow.h"

#include "platform/X11ShowWindows.h"
#include "platform/libreoffice/LibreOfficeProcess.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

namespace {

constexpr int kFrontBoundMs = 3000;

} // namespace

LibreOfficeSeparateShow::LibreOfficeSeparateShow(QString path,
                                                 std::unique_ptr<QTemporaryDir> profile,
                                                 std::unique_ptr<LibreOfficeProcess> process)
    : m_path(std::move(path)), m_profile(std::move(profile)), m_process(std::move(process))
{}

LibreOfficeSeparateShow::~LibreOfficeSeparateShow()
{
    close();
}

PresentationResult<std::shared_ptr<PresentationDocument>>
LibreOfficeSeparateShow::start(const QString& binary, const QString& path, const QRect& screen,
                               int timeoutMs)
{
    using Result = PresentationResult<std::shared_ptr<PresentationDocument>>;
    if (binary.isEmpty())
        return Result::failure(QStringLiteral("The presentation program is not installed"));
    if (!QFileInfo(path).isFile())
        return Result::failure(QStringLiteral("File not found: ") + path);
    auto profile = std::make_unique<QTemporaryDir>();
    if (!profile->isValid())
        return Result::failure(QStringLiteral("No room for the presentation program's profile"));
    auto process = std::make_unique<LibreOfficeProcess>(binary, profile->path(), QString(), false);
    process->setShowFile(QFileInfo(path).absoluteFilePath());
    QString error;
    if (!process->start(&error))
        return Result::failure(error);

    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() <= timeoutMs) {
        if (!process->isAlive())
            return Result::failure(QStringLiteral("The presentation program could not show ") +
                                   QFileInfo(path).fileName());
        const qint64 office = process->officePid();
        for (const X11ShowWindows::Window& window : X11ShowWindows::topLevelWindows()) {
            if (office <= 0 || window.pid != office || !window.dialog)
                continue;
            process->kill();
            process->waitForExit(2000);
            return Result::failure(
                QStringLiteral("The presentation program asked a question about %1 instead of "
                               "showing it")
                    .arg(QFileInfo(path).fileName()));
        }
        if (office > 0 && !X11ShowWindows::showWindowsOf(office).isEmpty()) {
            X11ShowWindows::activateShow(office, kFrontBoundMs);
            if (!screen.isEmpty())
                X11ShowWindows::placeShow(office, screen, kFrontBoundMs);
            return std::shared_ptr<PresentationDocument>(new LibreOfficeSeparateShow(
                QFileInfo(path).absoluteFilePath(), std::move(profile), std::move(process)));
        }
        QThread::msleep(20);
    }
    process->kill();
    process->waitForExit(2000);
    return Result::failure(QStringLiteral("The show of %1 did not start").arg(path));
}

PresentationStatus LibreOfficeSeparateShow::unsupported() const
{
    return presentationFailure<std::monostate>(
        QStringLiteral("The show runs in a program of its own"));
}

PresentationResult<int> LibreOfficeSeparateShow::slideCount()
{
    return presentationFailure<int>(QStringLiteral("The show runs in a program of its own"));
}

PresentationStatus LibreOfficeSeparateShow::runShow()
{
    return unsupported();
}

PresentationResult<bool> LibreOfficeSeparateShow::isShowRunning()
{
    if (!m_process || !m_process->isAlive())
        return false;
    return !X11ShowWindows::showWindowsOf(m_process->officePid()).isEmpty();
}

PresentationResult<int> LibreOfficeSeparateShow::currentSlide()
{
    return presentationFailure<int>(QStringLiteral("The show runs in a program of its own"));
}

PresentationStatus LibreOfficeSeparateShow::goToSlide(int)
{
    return unsupported();
}

PresentationStatus LibreOfficeSeparateShow::endShow()
{
    return close();
}

PresentationStatus LibreOfficeSeparateShow::bringShowToFront()
{
    if (!m_process || !X11ShowWindows::activateShow(m_process->officePid(), 300))
        return presentationFailure<std::monostate>(QStringLiteral("No show is running"));
    return presentationOk();
}

PresentationStatus LibreOfficeSeparateShow::exportSlide(int, const QString&, ImageFormat, int, int)
{
    return unsupported();
}

PresentationStatus LibreOfficeSeparateShow::saveCopyAs(const QString&, FileFormat)
{
    return unsupported();
}

PresentationStatus LibreOfficeSeparateShow::save()
{
    return unsupported();
}

PresentationResult<SlideShowOptions> LibreOfficeSeparateShow::showOptions()
{
    return presentationFailure<SlideShowOptions>(
        QStringLiteral("The show runs in a program of its own"));
}

PresentationStatus LibreOfficeSeparateShow::setShowOptions(const SlideShowOptions&)
{
    return unsupported();
}

PresentationStatus LibreOfficeSeparateShow::close()
{
    if (m_process) {
        m_process->kill();
        m_process->waitForExit(2000);
        m_process.reset();
    }
    return presentationOk();
}
