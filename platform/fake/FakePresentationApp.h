#pragma once

#include "platform/PresentationApp.h"

#include <QHash>
#include <QList>
#include <QSet>

#include <condition_variable>
#include <memory>
#include <mutex>

class FakePresentationDocument;

// A presentation program run from a script. Files are presentations only when a test declares
// them, each with its own slide count and stored show options; anything else fails to open.
// Failures come on demand: a file that will not open, a program that is missing.
class FakePresentationApp : public PresentationApp
{
public:
    using DocumentResult = PresentationResult<std::shared_ptr<PresentationDocument>>;
    // What the program "holds on disk" and whether it runs; shared with the documents so that
    // quitting reaches documents opened before it.
    struct Program
    {
        struct File
        {
            int slideCount = 0;
            SlideShowOptions options;
        };
        QHash<QString, File> files;
        QSet<QString> unopenable, fatal, unsavable;
        QStringList shownInOwnProcess;
        QStringList savedOnClose; // paths (empty for an untitled one), in order
        QString untitledFolder;
        bool running = false;
        int starts = 0;
        QList<std::weak_ptr<FakePresentationDocument>> open;
    };

    // Declares path as a presentation of slideCount slides (options default to manual advance).
    void addPresentation(const QString& path, int slideCount);
    // Declares path as a presentation with these stored options, one slide per slide entry.
    void addPresentation(const QString& path, const SlideShowOptions& options)
    {
        m_program->files.insert(path, {int(options.slides.size()), options});
    }
    // Opening path fails even when it was declared.
    void failToOpen(const QString& path) { m_program->unopenable.insert(path); }
    void openAgain(const QString& path) { m_program->unopenable.remove(path); }
    // Opening path brings the program down.
    void dieOnOpen(const QString& path) { m_program->fatal.insert(path); }
    // Files shown by the program's own start-as-show, in order.
    QStringList shownInOwnProcess() const { return m_program->shownInOwnProcess; }
    std::shared_ptr<FakePresentationDocument> ownProcessShow() const { return m_ownProcessShow; }
    // Saving path (an empty path: an untitled presentation) fails.
    void failToSave(const QString& path) { m_program->unsavable.insert(path); }
    // Presentations saved by saveAndCloseAll(), and where untitled ones were to go.
    QStringList savedOnClose() const { return m_program->savedOnClose; }
    QString untitledFolder() const { return m_program->untitledFolder; }
    void setAvailable(bool available) { m_available = available; }
    // A slow or hung program: open() waits from holdOpens() until releaseOpens().
    void holdOpens();
    void releaseOpens();
    // Whether one open() comes to wait for releaseOpens() while the caller's thread goes on
    // handling events (its timers fire).
    bool openHeldWhileEventsRun();

    int starts() const { return m_program->starts; }
    // The most recently opened document that is still open, or null.
    std::shared_ptr<FakePresentationDocument> lastOpened() const;
    // Options as stored in the file by save().
    SlideShowOptions storedOptions(const QString& path) const
    {
        return m_program->files.value(path).options;
    }

    void setShowScreen(const QRect& geometry) override { m_showScreen = geometry; }
    QRect showScreen() const { return m_showScreen; }

    bool isAvailable() const override { return m_available; }
    QString location() const override { return QStringLiteral("/fake/soffice"); }
    void startInBackground() override;
    bool isRunning() override { return m_program->running; }
    DocumentResult open(const QString& path, Visibility visibility) override;
    DocumentResult buildFromPictures(const QStringList& picturePaths, Visibility,
                                     PictureFit fit = PictureFit::Centred) override;
    PresentationResult<int> openPresentationCount() override;
    PresentationStatus closeAll() override { return saveOrClose(false); }
    PresentationStatus saveAndCloseAll(const QString& untitledFolder) override
    {
        m_program->untitledFolder = untitledFolder;
        return saveOrClose(true);
    }
    PresentationStatus quit() override;
    DocumentResult showInOwnProcess(const QString& path) override;

private:
    std::shared_ptr<FakePresentationDocument> adopt(const QString& path, int slideCount,
                                                    const SlideShowOptions& options);
    // The documents still open.
    QList<std::shared_ptr<FakePresentationDocument>> openDocuments() const;
    PresentationStatus saveOrClose(bool save);

    struct Hold
    {
        mutable std::mutex mutex;
        std::condition_variable released;
        bool held = false;
        int waiting = 0;
    };

    std::shared_ptr<Program> m_program = std::make_shared<Program>();
    QRect m_showScreen;
    std::shared_ptr<Hold> m_hold = std::make_shared<Hold>();
    bool m_available = true;
    std::shared_ptr<FakePresentationDocument> m_ownProcessShow;
};
