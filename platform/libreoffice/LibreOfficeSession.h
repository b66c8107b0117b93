#pragma once

#include "platform/PresentationDocument.h"
#include "platform/PresentationResult.h"
#include "platform/SlideShowOptions.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>
#include <set>
#include <sys/types.h>

class LibreOfficeProcess;

// The connection to our soffice and the documents open in it, addressed by id. Everything but
// kill() and officePid() runs on the back end's worker thread: UNO calls block, and UNO objects
// live here only, behind m_uno, so that no header outside this file pair needs UNO.
//
// A soffice that died (its bridge disposed) is noticed by the call that hits it; the next call
// that needs the program starts a new one. Ids of documents from before that are gone.
class LibreOfficeSession
{
public:
    LibreOfficeSession(QString binary, QString profileFolder, bool headless);
    ~LibreOfficeSession();

    LibreOfficeSession(const LibreOfficeSession&) = delete;
    LibreOfficeSession& operator=(const LibreOfficeSession&) = delete;

    PresentationStatus ensureRunning();
    bool isRunning();
    PresentationResult<int> open(const QString& path, bool hidden);
    PresentationResult<int> buildFromPictures(const QStringList& picturePaths, bool hidden);
    PresentationResult<int> openPresentationCount();
    PresentationStatus closeAll();
    PresentationStatus saveAndCloseAll(const QString& untitledFolder);
    PresentationStatus quit();

    PresentationResult<int> slideCount(int id);
    PresentationStatus runShow(int id);
    PresentationStatus prepareShow(int id);
    PresentationResult<bool> isShowRunning(int id);
    PresentationResult<int> currentSlide(int id);
    PresentationStatus goToSlide(int id, int slide);
    PresentationStatus endShow(int id);
    PresentationStatus bringShowToFront(int id);
    PresentationStatus exportSlide(int id, int slide, const QString& imagePath,
                                   PresentationDocument::ImageFormat format, int widthPx,
                                   int heightPx);
    PresentationStatus saveCopyAs(int id, const QString& path,
                                  PresentationDocument::FileFormat format);
    PresentationStatus save(int id);
    PresentationResult<SlideShowOptions> showOptions(int id);
    PresentationStatus setShowOptions(int id, const SlideShowOptions& options);
    PresentationStatus close(int id);

    // Any thread: the screen (its geometry on the desktop) that shows run on from now on; an
    // empty one lets the office choose.
    void setShowScreen(const QRect& geometry);
    QRect showScreen() const;
    // Any thread: ends soffice at once, which makes a call stuck in it return.
    void kill();
    pid_t officePid() const;

private:
    struct Uno;

    template <typename T, typename Body> PresentationResult<T> guarded(Body body);
    // guarded(), for a call on one open document: body gets the document, which is known to be
    // open.
    template <typename T, typename Body> PresentationResult<T> onDocument(int id, Body body);
    void forgetConnection();
    void keepPresenterConsoleOff();

    QString m_binary;
    QString m_profileFolder;
    std::unique_ptr<Uno> m_uno;
    int m_nextId = 0;
    bool m_headless = false;
    mutable std::mutex m_processMutex;
    std::unique_ptr<LibreOfficeProcess> m_process;
    QRect m_showScreen;
    // Documents whose show was started ahead and waits, paused, for runShow().
    std::set<int> m_startedAhead;
};
