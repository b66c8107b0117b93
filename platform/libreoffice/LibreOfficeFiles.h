#pragma once

#include "platform/PresentationApp.h"
#include "platform/PresentationDocument.h"
#include "platform/PresentationResult.h"

#include <QString>
#include <QStringList>

class LibreOfficeSession;

// Presentations into the office and out of it, as a whole: opening a file without a dialog ever
// reaching the screen, building one from pictures, closing or saving all that are open, and the
// office's names for the formats it writes. What is done to one open document is
// LibreOfficeDocument's. Runs on the session's worker thread, inside LibreOfficeSession::run();
// the calls follow PresentationApp's.
class LibreOfficeFiles
{
public:
    explicit LibreOfficeFiles(LibreOfficeSession& session) : m_session(session) {}

    // Both start the office when it does not run, and answer the new document's id.
    PresentationResult<int> open(const QString& path, bool hidden);
    PresentationResult<int> buildFromPictures(const QStringList& picturePaths, bool hidden,
                                              PresentationApp::PictureFit fit);
    // These leave an office that does not run alone.
    PresentationResult<int> openPresentationCount();
    PresentationStatus closeAll();
    PresentationStatus saveAndCloseAll(const QString& untitledFolder);

    // The office's export filter for each format.
    static const char* filterOf(PresentationDocument::FileFormat format);
    // The media type that picks the office's image export filter for each format.
    static const char* mediaTypeOf(PresentationDocument::ImageFormat format);

private:
    LibreOfficeSession& m_session;
};
