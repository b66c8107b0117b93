#include "platform/libreoffice/LibreOfficeSession.h"

#include "platform/X11ShowWindows.h"
#include "platform/libreoffice/LibreOfficeProcess.h"

#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/awt/XTopWindow2.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/bridge/XUnoUrlResolver.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/drawing/GraphicExportFilter.hpp>
#include <com/sun/star/drawing/XDrawPage.hpp>
#include <com/sun/star/drawing/XDrawPages.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XDrawView.hpp>
#include <com/sun/star/drawing/XGraphicExportFilter.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XModel2.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/graphic/XGraphicProvider.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/presentation/XPresentation2.hpp>
#include <com/sun/star/presentation/XPresentationSupplier.hpp>
#include <com/sun/star/presentation/XSlideShowController.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/task/XInteractionDisapprove.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <com/sun/star/task/XInteractionRequest.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <com/sun/star/util/CloseVetoException.hpp>
#include <com/sun/star/util/XChangesBatch.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/implbase1.hxx>
#include <rtl/bootstrap.hxx>
#include <rtl/ref.hxx>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLoggingCategory>
#include <QThread>
#include <QUrl>

#include <atomic>
#include <map>
#include <thread>
#include <vector>

using namespace css;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using rtl::OUString;

Q_LOGGING_CATEGORY(lcLibreOffice, "stagor.libreoffice")

namespace {

constexpr int kConnectBoundMs = 40000;
constexpr int kShowStartBoundMs = 15000;
constexpr int kQuitBoundMs = 10000;
// From the show's controller to its window being the one in front, under a window manager.
constexpr int kShowFrontBoundMs = 3000;
constexpr int kBringToFrontBoundMs = 300;
// Page layout without any placeholders.
constexpr sal_Int16 kBlankLayout = 20;

OUString toUno(const QString& text)
{
    return OUString(reinterpret_cast<const sal_Unicode*>(text.utf16()), sal_Int32(text.size()));
}

QString fromUno(const OUString& text)
{
    return QString(reinterpret_cast<const QChar*>(text.getStr()), text.getLength());
}

OUString fileUrl(const QString& path)
{
    return toUno(
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded));
}

beans::PropertyValue property(const char* name, const Any& value)
{
    beans::PropertyValue result;
    result.Name = OUString::createFromAscii(name);
    result.Value = value;
    return result;
}

// Debian's SDK lacks Sequence's initializer-list constructor.
Sequence<beans::PropertyValue> properties(const std::vector<beans::PropertyValue>& list)
{
    return Sequence<beans::PropertyValue>(list.data(), sal_Int32(list.size()));
}

Reference<presentation::XPresentation2> presentationOf(const Reference<lang::XComponent>& doc)
{
    Reference<presentation::XPresentationSupplier> supplier(doc, UNO_QUERY_THROW);
    return Reference<presentation::XPresentation2>(supplier->getPresentation(), UNO_QUERY_THROW);
}

Reference<drawing::XDrawPages> pagesOf(const Reference<lang::XComponent>& doc)
{
    return Reference<drawing::XDrawPagesSupplier>(doc, UNO_QUERY_THROW)->getDrawPages();
}

Reference<beans::XPropertySet> pageProperties(const Reference<drawing::XDrawPages>& pages,
                                              int index)
{
    return Reference<beans::XPropertySet>(pages->getByIndex(index), UNO_QUERY_THROW);
}

int slideNumberOf(const Reference<drawing::XDrawPage>& page)
{
    sal_Int32 number = 0;
    Reference<beans::XPropertySet>(page, UNO_QUERY_THROW)->getPropertyValue("Number") >>= number;
    return number;
}

// The windows (views) open on a document; a show adds one while it runs.
int viewCountOf(const Reference<frame::XModel2>& model)
{
    if (!model.is())
        return 0;
    int count = 0;
    const Reference<container::XEnumeration> views = model->getControllers();
    while (views->hasMoreElements()) {
        views->nextElement();
        ++count;
    }
    return count;
}

void closeDocument(const Reference<lang::XComponent>& doc)
{
    Reference<util::XCloseable> closeable(doc, UNO_QUERY);
    try {
        if (closeable.is()) {
            closeable->close(true);
            return;
        }
    } catch (const util::CloseVetoException&) {
        // A running show may veto; the document must go all the same.
    }
    doc->dispose();
}

// Answers every question the office would put to the operator while loading (a password, a
// repair, a document in use) with "no", so that nothing ever comes up on the audience's screen;
// remembers what was asked so that the failure can say why.
class DialogFreeLoading : public cppu::WeakImplHelper1<task::XInteractionHandler>
{
public:
    void SAL_CALL handle(const Reference<task::XInteractionRequest>& request) override
    {
        const QString asked = fromUno(request->getRequest().getValueTypeName());
        if (asked.contains(QStringLiteral("Password")))
            m_refusal = QStringLiteral("it needs a password");
        else if (m_refusal.isEmpty())
            m_refusal = QStringLiteral("the presentation program refused it");
        const Sequence<Reference<task::XInteractionContinuation>> answers =
            request->getContinuations();
        for (const auto& answer : answers) {
            if (Reference<task::XInteractionAbort>(answer, UNO_QUERY).is()) {
                answer->select();
                return;
            }
        }
        for (const auto& answer : answers) {
            if (Reference<task::XInteractionDisapprove>(answer, UNO_QUERY).is()) {
                answer->select();
                return;
            }
        }
    }
    const QString& refusal() const { return m_refusal; }

private:
    QString m_refusal;
};

// A show started from a document whose window was never shown brings soffice down, and laying
// that window out takes the larger part of a show's start: done ahead, minimised, so that the
// editing window never reaches the screen. The show starts at the editing view's page: page 1.
void readyForShow(const Reference<lang::XComponent>& doc)
{
    const Reference<frame::XController> controller =
        Reference<frame::XModel>(doc, UNO_QUERY_THROW)->getCurrentController();
    if (!controller.is())
        return;
    const Reference<awt::XWindow> window = controller->getFrame()->getContainerWindow();
    const Reference<awt::XTopWindow2> top(window, UNO_QUERY);
    if (top.is() && !top->getIsMinimized())
        top->setIsMinimized(true);
    window->setVisible(true);
    const Reference<drawing::XDrawView> view(controller, UNO_QUERY);
    const Reference<drawing::XDrawPage> first(pagesOf(doc)->getByIndex(0), UNO_QUERY_THROW);
    if (view.is() && view->getCurrentPage() != first)
        view->setCurrentPage(first);
}

enum class ShowStart
{
    Up,
    EndedAtOnce, // a presenter quick enough on Escape
    TimedOut,
};

// Starts doc's show on the given screen (an empty one lets the office choose) and waits for it
// to be up.
ShowStart startShow(const Reference<lang::XComponent>& doc,
                    const Reference<presentation::XPresentation2>& show, const QRect& screen)
{
    // The office numbers its displays from 1 in the X server's order; 0 lets it choose.
    const int monitor = screen.isEmpty() ? -1 : X11ShowWindows::monitorIndexOf(screen);
    Reference<beans::XPropertySet>(show, UNO_QUERY_THROW)
        ->setPropertyValue("Display", Any(sal_Int32(monitor + 1)));
    // The show opens a window of its own on the document, which leaves with the show.
    const Reference<frame::XModel2> model(doc, UNO_QUERY);
    const int windowsBefore = viewCountOf(model);
    show->start();
    // start() returns before the show exists. A presenter quick enough on Escape ends it before
    // its controller can be seen; its window coming and going tells.
    bool windowSeen = false;
    QElapsedTimer timer;
    timer.start();
    while (!show->getController().is()) {
        const int windows = viewCountOf(model);
        if (windows > windowsBefore)
            windowSeen = true;
        else if (windowSeen)
            return ShowStart::EndedAtOnce;
        if (timer.elapsed() > kShowStartBoundMs)
            return ShowStart::TimedOut;
        QThread::msleep(10);
    }
    return ShowStart::Up;
}

// The office takes about as long to start a show and paint its first slide as an audience
// notices. A show started ahead waits paused behind the launch screen, and its cue only brings
// it in front. That needs the launch screen in front now, on the screen the show will take, so
// that it can be put back in front of the show the moment the show's window comes up; otherwise
// the show is started at its cue.
bool startAhead(const Reference<lang::XComponent>& doc,
                const Reference<presentation::XPresentation2>& show, const QRect& screen,
                qint64 officePid)
{
    const X11ShowWindows::Window front = X11ShowWindows::activeWindow();
    if (front.pid != QCoreApplication::applicationPid() || !front.fullScreen || !front.viewable ||
        (!screen.isEmpty() && front.geometry != screen))
        return false;
    // Where the office cannot reach the show screen itself, the show is moved there at its cue.
    if (!screen.isEmpty() && X11ShowWindows::monitorIndexOf(screen) < 0)
        return false;
    QElapsedTimer timer;
    timer.start();
    std::atomic<bool> stop = false;
    bool keptBack = false;
    std::thread keeper([&] {
        keptBack = X11ShowWindows::keepInFront(front.id, officePid, stop, kShowFrontBoundMs);
    });
    const ShowStart started = startShow(doc, show, screen);
    const Reference<presentation::XSlideShowController> controller =
        started == ShowStart::Up ? show->getController()
                                 : Reference<presentation::XSlideShowController>();
    if (controller.is())
        controller->pause();
    else
        stop = true;
    keeper.join();
    const QList<X11ShowWindows::Window> shows = X11ShowWindows::showWindowsOf(officePid);
    const bool inPlace = !shows.isEmpty() && (screen.isEmpty() || shows.last().geometry == screen);
    if (controller.is() && keptBack && inPlace) {
        qCInfo(lcLibreOffice, "show started ahead in %lld ms", timer.elapsed());
        return true;
    }
    qCWarning(lcLibreOffice,
              "the show could not wait behind the launch screen: started at its cue");
    if (show->isRunning())
        show->end();
    return false;
}

template <typename T> PresentationResult<T> fail(const QString& text)
{
    return PresentationResult<T>::failure(text);
}

const QString kNotOpen = QStringLiteral("The presentation is not open");
const QString kDied = QStringLiteral("The presentation program stopped");

std::vector<Reference<lang::XComponent>>
presentationsOpenIn(const Reference<frame::XDesktop2>& desktop)
{
    std::vector<Reference<lang::XComponent>> open;
    const Reference<container::XEnumeration> components =
        desktop->getComponents()->createEnumeration();
    while (components->hasMoreElements()) {
        Reference<lang::XComponent> doc(components->nextElement(), UNO_QUERY);
        if (Reference<presentation::XPresentationSupplier>(doc, UNO_QUERY).is())
            open.push_back(doc);
    }
    return open;
}

// folder/base + extension, or with " 2", " 3" ... after base when that is taken.
QString freeFileName(const QString& folder, const QString& base, const QString& extension)
{
    const QString stem = QDir(folder).filePath(base);
    QString path = stem + extension;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QLatin1Char(' ') + QString::number(n) + extension;
    return path;
}

// The office's export filter for each format.
const char* filterOf(PresentationDocument::FileFormat format)
{
    switch (format) {
    case PresentationDocument::FileFormat::Pdf:
        return "impress_pdf_Export";
    case PresentationDocument::FileFormat::Pptx:
        return "Impress MS PowerPoint 2007 XML";
    case PresentationDocument::FileFormat::Ppt:
        return "MS PowerPoint 97";
    case PresentationDocument::FileFormat::Ppsx:
        return "Impress MS PowerPoint 2007 XML AutoPlay";
    case PresentationDocument::FileFormat::Pps:
        return "MS PowerPoint 97 AutoPlay";
    case PresentationDocument::FileFormat::Odp:
        break;
    }
    return "impress8";
}

} // namespace

struct LibreOfficeSession::Uno
{
    Reference<uno::XComponentContext> local;
    Reference<uno::XComponentContext> remote;
    Reference<frame::XDesktop2> desktop;
    std::map<int, Reference<lang::XComponent>> documents;

    Reference<lang::XComponent> document(int id) const
    {
        const auto found = documents.find(id);
        return found == documents.end() ? Reference<lang::XComponent>() : found->second;
    }
};

LibreOfficeSession::LibreOfficeSession(QString binary, QString profileFolder, bool headless)
    : m_binary(std::move(binary)), m_profileFolder(std::move(profileFolder)),
      m_uno(std::make_unique<Uno>()), m_headless(headless)
{}

LibreOfficeSession::~LibreOfficeSession()
{
    // Proxies of a dead bridge must be released before the process object goes.
    m_uno.reset();
    m_process.reset();
}

void LibreOfficeSession::kill()
{
    std::lock_guard lock(m_processMutex);
    if (m_process)
        m_process->kill();
}

pid_t LibreOfficeSession::officePid() const
{
    std::lock_guard lock(m_processMutex);
    return m_process ? m_process->officePid() : 0;
}

void LibreOfficeSession::setShowScreen(const QRect& geometry)
{
    std::lock_guard lock(m_processMutex);
    m_showScreen = geometry;
}

QRect LibreOfficeSession::showScreen() const
{
    std::lock_guard lock(m_processMutex);
    return m_showScreen;
}

// With two screens the office would put its Presenter Console on the one the show leaves free,
// which is the operator's.
void LibreOfficeSession::keepPresenterConsoleOff()
{
    try {
        const Reference<lang::XMultiServiceFactory> provider =
            configuration::theDefaultProvider::get(m_uno->remote);
        const Any node(
            property("nodepath", Any(OUString("/org.openoffice.Office.Impress/Misc/Start"))));
        const Reference<beans::XPropertySet> start(
            provider->createInstanceWithArguments(
                "com.sun.star.configuration.ConfigurationUpdateAccess", Sequence<Any>(&node, 1)),
            UNO_QUERY_THROW);
        start->setPropertyValue("EnablePresenterScreen", Any(false));
        Reference<util::XChangesBatch>(start, UNO_QUERY_THROW)->commitChanges();
    } catch (const uno::Exception& e) {
        qCWarning(lcLibreOffice, "could not switch the Presenter Console off: %s",
                  qPrintable(fromUno(e.Message)));
    }
}

void LibreOfficeSession::forgetConnection()
{
    m_uno->documents.clear();
    m_startedAhead.clear();
    m_uno->desktop.clear();
    m_uno->remote.clear();
}

// Every UNO call passes through here: exceptions become error texts, and a dead bridge drops the
// connection so that the next call that needs the program starts a new one.
template <typename T, typename Body> PresentationResult<T> LibreOfficeSession::guarded(Body body)
{
    try {
        return body();
    } catch (const lang::DisposedException& e) {
        // Also thrown by a document that was closed behind our back; only a bridge that no
        // longer answers means the program is gone.
        bool bridgeAlive = false;
        try {
            bridgeAlive = m_uno->desktop.is() && m_uno->desktop->getFrames().is();
        } catch (const uno::Exception&) {
        }
        if (!bridgeAlive) {
            forgetConnection();
            return fail<T>(kDied);
        }
        return fail<T>(fromUno(e.Message));
    } catch (const uno::Exception& e) {
        if (!isRunning())
            return fail<T>(kDied);
        return fail<T>(fromUno(e.Message).isEmpty() ? QStringLiteral("The presentation program "
                                                                     "refused the call")
                                                    : fromUno(e.Message));
    }
}

template <typename T, typename Body>
PresentationResult<T> LibreOfficeSession::onDocument(int id, Body body)
{
    return guarded<T>([&]() -> PresentationResult<T> {
        const Reference<lang::XComponent> doc = m_uno->document(id);
        if (!doc.is())
            return fail<T>(kNotOpen);
        return body(doc);
    });
}

bool LibreOfficeSession::isRunning()
{
    if (!m_uno->desktop.is())
        return false;
    // Only this thread replaces m_process, so reading it needs no lock here.
    if (!m_process || !m_process->isAlive()) {
        forgetConnection();
        return false;
    }
    try {
        m_uno->desktop->getFrames();
        return true;
    } catch (const uno::Exception&) {
        forgetConnection();
        return false;
    }
}

PresentationStatus LibreOfficeSession::ensureRunning()
{
    if (isRunning())
        return presentationOk();
    if (m_binary.isEmpty())
        return fail<std::monostate>(QStringLiteral("The presentation program is not installed"));

    // Pipe names are unique per start across every session of this process.
    static std::atomic<int> starts = 0;
    auto process = std::make_unique<LibreOfficeProcess>(
        m_binary, m_profileFolder,
        QStringLiteral("vesk-stagor-%1-%2").arg(QCoreApplication::applicationPid()).arg(++starts),
        m_headless);
    QElapsedTimer startTimer;
    startTimer.start();
    QString error;
    std::unique_ptr<LibreOfficeProcess> previous;
    {
        std::lock_guard lock(m_processMutex);
        previous = std::move(m_process);
    }
    previous.reset();
    if (!process->start(&error))
        return fail<std::monostate>(error);
    {
        std::lock_guard lock(m_processMutex);
        m_process = std::move(process);
    }

    try {
        if (!m_uno->local.is()) {
            // Without it the first remote call crashes; the user's own office setup must not
            // be involved either, so no cppu::bootstrap().
            rtl::Bootstrap::set("URE_BOOTSTRAP",
                                "vnd.sun.star.pathname:/usr/lib/libreoffice/program/fundamentalrc");
            m_uno->local = cppu::defaultBootstrap_InitialComponentContext();
        }
        const Reference<bridge::XUnoUrlResolver> resolver =
            bridge::UnoUrlResolver::create(m_uno->local);
        const OUString url = toUno(m_process->connectUrl());
        QElapsedTimer timer;
        timer.start();
        Reference<uno::XInterface> remote;
        // The pipe appears seconds after the launch (more with a new profile).
        while (!remote.is()) {
            try {
                remote = resolver->resolve(url);
            } catch (const connection::NoConnectException&) {
                if (!m_process->isAlive())
                    return fail<std::monostate>(
                        QStringLiteral("The presentation program ended while starting"));
                if (timer.elapsed() > kConnectBoundMs) {
                    kill();
                    return fail<std::monostate>(
                        QStringLiteral("The presentation program did not accept a connection"));
                }
                QThread::msleep(100);
            }
        }
        m_uno->remote.set(remote, UNO_QUERY_THROW);
        m_uno->desktop = frame::Desktop::create(m_uno->remote);
        keepPresenterConsoleOff();
        qCInfo(lcLibreOffice, "soffice started and connected in %lld ms",
               qint64(startTimer.elapsed()));
    } catch (const uno::Exception& e) {
        forgetConnection();
        kill();
        return fail<std::monostate>(QStringLiteral("Could not connect to the presentation "
                                                   "program: ") +
                                    fromUno(e.Message));
    }
    return presentationOk();
}

PresentationResult<int> LibreOfficeSession::open(const QString& path, bool hidden)
{
    // The office answers a missing file with a bare exception; say what is wrong instead.
    if (!QFileInfo(path).isFile())
        return fail<int>(QStringLiteral("File not found: ") + path);
    const PresentationStatus started = ensureRunning();
    if (!started.ok())
        return fail<int>(started.error());
    return guarded<int>([&]() -> PresentationResult<int> {
        // A lock file (left by a crashed office, or held by another copy of the same file)
        // makes a hidden load fail without a word and a visible one wait on a "Document in
        // Use" dialog that nobody answers. Read-only loading passes it; saving back then fails,
        // which the caller hears about.
        const QFileInfo info(path);
        const bool locked =
            QFileInfo::exists(info.absolutePath() + "/.~lock." + info.fileName() + "#");
        const rtl::Reference<DialogFreeLoading> questions = new DialogFreeLoading;
        std::vector<beans::PropertyValue> args = {
            property("Hidden", Any(hidden)),
            property("InteractionHandler",
                     Any(Reference<task::XInteractionHandler>(questions.get())))};
        if (locked)
            args.push_back(property("ReadOnly", Any(true)));
        Reference<lang::XComponent> doc;
        try {
            doc =
                m_uno->desktop->loadComponentFromURL(fileUrl(path), "_blank", 0, properties(args));
        } catch (const uno::Exception&) {
            if (!isRunning())
                throw;
        }
        if (!doc.is())
            return fail<int>(QStringLiteral("The presentation program could not open %1: %2")
                                 .arg(QFileInfo(path).fileName(),
                                      questions->refusal().isEmpty()
                                          ? QStringLiteral("it is damaged or not a presentation")
                                          : questions->refusal()));
        // Anything the office can read opens; only presentations are wanted here.
        if (!Reference<presentation::XPresentationSupplier>(doc, UNO_QUERY).is()) {
            closeDocument(doc);
            return fail<int>(QStringLiteral("Not a presentation: ") + path);
        }
        m_uno->documents[++m_nextId] = doc;
        return m_nextId;
    });
}

PresentationResult<int> LibreOfficeSession::buildFromPictures(const QStringList& picturePaths,
                                                              bool hidden)
{
    if (picturePaths.isEmpty())
        return fail<int>(QStringLiteral("No pictures to build a presentation from"));
    for (const QString& picture : picturePaths) {
        if (!QImageReader(picture).canRead())
            return fail<int>(QStringLiteral("Not a picture: ") + picture);
    }
    const PresentationStatus started = ensureRunning();
    if (!started.ok())
        return fail<int>(started.error());
    return guarded<int>([&]() -> PresentationResult<int> {
        const Reference<lang::XComponent> doc = m_uno->desktop->loadComponentFromURL(
            "private:factory/simpress", "_blank", 0, properties({property("Hidden", Any(hidden))}));
        if (!doc.is())
            return fail<int>(QStringLiteral("The presentation program could not create a "
                                            "presentation"));
        m_uno->documents[++m_nextId] = doc;
        const int id = m_nextId;

        const Reference<drawing::XDrawPages> pages = pagesOf(doc);
        sal_Int32 slideWidth = 0;
        sal_Int32 slideHeight = 0;
        pageProperties(pages, 0)->getPropertyValue("Width") >>= slideWidth;
        pageProperties(pages, 0)->getPropertyValue("Height") >>= slideHeight;
        const Reference<graphic::XGraphicProvider> provider =
            graphic::GraphicProvider::create(m_uno->remote);
        const Reference<lang::XMultiServiceFactory> factory(doc, UNO_QUERY_THROW);

        for (int i = 0; i < picturePaths.size(); ++i) {
            const Reference<drawing::XDrawPage> page =
                i == 0 ? Reference<drawing::XDrawPage>(pages->getByIndex(0), UNO_QUERY_THROW)
                       : pages->insertNewByIndex(i - 1);
            Reference<beans::XPropertySet>(page, UNO_QUERY_THROW)
                ->setPropertyValue("Layout", Any(kBlankLayout));
            const Reference<graphic::XGraphic> graphic = provider->queryGraphic(
                properties({property("URL", Any(fileUrl(picturePaths[i])))}));
            if (!graphic.is()) {
                closeDocument(doc);
                m_uno->documents.erase(id);
                return fail<int>(QStringLiteral("Not a picture: ") + picturePaths[i]);
            }
            const Reference<drawing::XShape> shape(
                factory->createInstance("com.sun.star.drawing.GraphicObjectShape"),
                UNO_QUERY_THROW);
            Reference<beans::XPropertySet>(shape, UNO_QUERY_THROW)
                ->setPropertyValue("Graphic", Any(graphic));
            page->add(shape);
            // As large as the slide allows, centred, keeping the picture's proportions.
            const QSize pixels = QImageReader(picturePaths[i]).size();
            const double scale = std::min(double(slideWidth) / pixels.width(),
                                          double(slideHeight) / pixels.height());
            const awt::Size size(sal_Int32(pixels.width() * scale),
                                 sal_Int32(pixels.height() * scale));
            shape->setSize(size);
            shape->setPosition(
                awt::Point((slideWidth - size.Width) / 2, (slideHeight - size.Height) / 2));
        }
        return id;
    });
}

PresentationResult<int> LibreOfficeSession::openPresentationCount()
{
    if (!isRunning())
        return 0;
    return guarded<int>([&]() -> PresentationResult<int> {
        return int(presentationsOpenIn(m_uno->desktop).size());
    });
}

PresentationStatus LibreOfficeSession::closeAll()
{
    if (!isRunning())
        return presentationOk();
    return guarded<std::monostate>([&]() -> PresentationStatus {
        for (const auto& doc : presentationsOpenIn(m_uno->desktop))
            closeDocument(doc);
        m_uno->documents.clear();
        return presentationOk();
    });
}

PresentationStatus LibreOfficeSession::saveAndCloseAll(const QString& untitledFolder)
{
    if (!isRunning())
        return presentationOk();
    return guarded<std::monostate>([&]() -> PresentationStatus {
        QStringList unsaved;
        for (const auto& doc : presentationsOpenIn(m_uno->desktop)) {
            const Reference<frame::XStorable> storable(doc, UNO_QUERY);
            const QString location =
                storable.is() ? QUrl(fromUno(storable->getLocation())).toLocalFile() : QString();
            try {
                const Reference<util::XModifiable> modifiable(doc, UNO_QUERY);
                if (storable.is() && modifiable.is() && modifiable->isModified()) {
                    if (storable->hasLocation() && !storable->isReadonly()) {
                        storable->store();
                    } else {
                        const QString name = location.isEmpty()
                                                 ? QStringLiteral("Presentation")
                                                 : QFileInfo(location).completeBaseName();
                        storable->storeAsURL(
                            fileUrl(freeFileName(untitledFolder, name, QStringLiteral(".odp"))),
                            properties({property("FilterName",
                                                 Any(OUString::createFromAscii(filterOf(
                                                     PresentationDocument::FileFormat::Odp))))}));
                    }
                }
            } catch (const uno::Exception&) {
                unsaved << (location.isEmpty() ? QStringLiteral("an untitled presentation")
                                               : QFileInfo(location).fileName());
                continue;
            }
            closeDocument(doc);
            std::erase_if(m_uno->documents, [&](const auto& entry) { return entry.second == doc; });
        }
        if (!unsaved.isEmpty())
            return fail<std::monostate>(QStringLiteral("Could not save ") +
                                        unsaved.join(QStringLiteral(", ")) +
                                        QStringLiteral("; it stays open."));
        return presentationOk();
    });
}

PresentationStatus LibreOfficeSession::quit()
{
    if (m_uno->desktop.is()) {
        try {
            m_uno->desktop->terminate();
        } catch (const uno::Exception&) {
            // The bridge goes down with the program; that is what was asked for.
        }
    }
    forgetConnection();
    if (m_process) {
        if (!m_process->waitForExit(kQuitBoundMs)) {
            m_process->kill();
            m_process->waitForExit(kQuitBoundMs);
        }
        std::unique_ptr<LibreOfficeProcess> ended;
        std::lock_guard lock(m_processMutex);
        ended = std::move(m_process);
    }
    return presentationOk();
}

PresentationResult<int> LibreOfficeSession::slideCount(int id)
{
    return onDocument<int>(id,
                           [&](const Reference<lang::XComponent>& doc) -> PresentationResult<int> {
                               return int(pagesOf(doc)->getCount());
                           });
}

PresentationStatus LibreOfficeSession::runShow(int id)
{
    if (m_headless)
        return fail<std::monostate>(
            QStringLiteral("This presentation program runs without a display: no shows"));
    const bool startedAhead = m_startedAhead.erase(id) > 0;
    return onDocument<std::monostate>(
        id, [&](const Reference<lang::XComponent>& doc) -> PresentationStatus {
            if (pagesOf(doc)->getCount() == 0)
                return fail<std::monostate>(QStringLiteral("The presentation has no slides"));
            const Reference<presentation::XPresentation2> show = presentationOf(doc);
            const QRect screen = showScreen();
            QElapsedTimer timer;
            timer.start();
            const Reference<presentation::XSlideShowController> ahead =
                startedAhead && show->isRunning() ? show->getController()
                                                  : Reference<presentation::XSlideShowController>();
            if (ahead.is()) {
                // Waiting behind the launch screen for its cue, painted or not.
                if (ahead->getCurrentSlideIndex() != 0)
                    ahead->gotoFirstSlide();
                ahead->resume();
            } else {
                readyForShow(doc);
                switch (startShow(doc, show, screen)) {
                case ShowStart::Up:
                    break;
                case ShowStart::EndedAtOnce:
                    qCInfo(lcLibreOffice, "show ended before it was seen, after %lld ms",
                           timer.elapsed());
                    return presentationOk();
                case ShowStart::TimedOut:
                    return fail<std::monostate>(QStringLiteral("The show did not start"));
                }
            }
            // Under a window manager the show comes up behind whatever was in front, without
            // the keyboard, until it is activated.
            if (!X11ShowWindows::activateShow(officePid(), kShowFrontBoundMs))
                qCWarning(lcLibreOffice, "the show window did not come to the front");
            // Where the office cannot tell the screens apart, the show is moved to the right one.
            if (!screen.isEmpty() &&
                !X11ShowWindows::placeShow(officePid(), screen, kShowFrontBoundMs))
                qCWarning(lcLibreOffice, "the show is not on the show screen");
            qCInfo(lcLibreOffice, "show %s in front after %lld ms",
                   ahead.is() ? "started ahead" : "started now", timer.elapsed());
            return presentationOk();
        });
}

PresentationStatus LibreOfficeSession::prepareShow(int id)
{
    if (m_headless)
        return presentationOk();
    return onDocument<std::monostate>(
        id, [&](const Reference<lang::XComponent>& doc) -> PresentationStatus {
            if (pagesOf(doc)->getCount() == 0)
                return presentationOk();
            readyForShow(doc);
            const Reference<presentation::XPresentation2> show = presentationOf(doc);
            if (m_startedAhead.count(id) > 0 && show->isRunning())
                return presentationOk();
            m_startedAhead.erase(id);
            if (startAhead(doc, show, showScreen(), officePid()))
                m_startedAhead.insert(id);
            return presentationOk();
        });
}

PresentationResult<bool> LibreOfficeSession::isShowRunning(int id)
{
    return onDocument<bool>(
        id, [&](const Reference<lang::XComponent>& doc) -> PresentationResult<bool> {
            const Reference<presentation::XPresentation2> show = presentationOf(doc);
            return show->isRunning() && show->getController().is();
        });
}

PresentationResult<int> LibreOfficeSession::currentSlide(int id)
{
    return onDocument<int>(
        id, [&](const Reference<lang::XComponent>& doc) -> PresentationResult<int> {
            const Reference<presentation::XPresentation2> show = presentationOf(doc);
            const Reference<presentation::XSlideShowController> controller = show->getController();
            if (!show->isRunning() || !controller.is())
                return fail<int>(QStringLiteral("No show is running"));
            // The show's own index skips hidden slides; the page number is the operator's.
            const Reference<drawing::XDrawPage> page = controller->getCurrentSlide();
            if (!page.is())
                return fail<int>(QStringLiteral("The show is on no slide"));
            return slideNumberOf(page);
        });
}

PresentationStatus LibreOfficeSession::goToSlide(int id, int slide)
{
    return onDocument<std::monostate>(
        id, [&](const Reference<lang::XComponent>& doc) -> PresentationStatus {
            const Reference<presentation::XSlideShowController> controller =
                presentationOf(doc)->getController();
            if (!controller.is())
                return fail<std::monostate>(QStringLiteral("No show is running"));
            for (sal_Int32 index = 0; index < controller->getSlideCount(); ++index) {
                if (slideNumberOf(controller->getSlideByIndex(index)) == slide) {
                    controller->gotoSlideIndex(index);
                    return presentationOk();
                }
            }
            return fail<std::monostate>(QStringLiteral("The show has no slide %1").arg(slide));
        });
}

PresentationStatus LibreOfficeSession::endShow(int id)
{
    return onDocument<std::monostate>(
        id, [&](const Reference<lang::XComponent>& doc) -> PresentationStatus {
            presentationOf(doc)->end();
            return presentationOk();
        });
}

PresentationStatus LibreOfficeSession::bringShowToFront(int id)
{
    return onDocument<std::monostate>(
        id, [&](const Reference<lang::XComponent>& doc) -> PresentationStatus {
            const Reference<presentation::XSlideShowController> controller =
                presentationOf(doc)->getController();
            if (!controller.is())
                return fail<std::monostate>(QStringLiteral("No show is running"));
            controller->activate();
            X11ShowWindows::activateShow(officePid(), kBringToFrontBoundMs);
            return presentationOk();
        });
}

PresentationStatus LibreOfficeSession::exportSlide(int id, int slide, const QString& imagePath,
                                                   PresentationDocument::ImageFormat format,
                                                   int widthPx, int heightPx)
{
    if (widthPx <= 0 || heightPx <= 0)
        return fail<std::monostate>(QStringLiteral("Image size must be positive"));
    return onDocument<std::monostate>(
        id, [&](const Reference<lang::XComponent>& doc) -> PresentationStatus {
            const Reference<drawing::XDrawPages> pages = pagesOf(doc);
            if (slide < 1 || slide > pages->getCount())
                return fail<std::monostate>(QStringLiteral("There is no slide %1").arg(slide));

            std::vector<beans::PropertyValue> filterData = {
                property("PixelWidth", Any(sal_Int32(widthPx))),
                property("PixelHeight", Any(sal_Int32(heightPx))),
            };
            const char* mediaType = "image/png";
            switch (format) {
            case PresentationDocument::ImageFormat::Png:
                break;
            case PresentationDocument::ImageFormat::Jpeg:
                mediaType = "image/jpeg";
                filterData.push_back(property("Quality", Any(sal_Int32(90))));
                break;
            case PresentationDocument::ImageFormat::Bmp:
                // "image/bmp" ignores the pixel size.
                mediaType = "image/x-MS-bmp";
                break;
            case PresentationDocument::ImageFormat::Gif:
                mediaType = "image/gif";
                break;
            case PresentationDocument::ImageFormat::Emf:
                mediaType = "image/x-emf";
                break;
            case PresentationDocument::ImageFormat::Wmf:
                mediaType = "image/x-wmf";
                break;
            }
            QFile::remove(imagePath);
            const Reference<drawing::XGraphicExportFilter> exporter =
                drawing::GraphicExportFilter::create(m_uno->remote);
            exporter->setSourceDocument(
                Reference<lang::XComponent>(pages->getByIndex(slide - 1), UNO_QUERY_THROW));
            const bool written = exporter->filter(properties({
                property("URL", Any(fileUrl(imagePath))),
                property("MediaType", Any(OUString::createFromAscii(mediaType))),
                property("FilterData", Any(properties(filterData))),
            }));
            if (!written || !QFileInfo(imagePath).isFile())
                return fail<std::monostate>(QStringLiteral("Could not write ") + imagePath);
            return presentationOk();
        });
}

PresentationStatus LibreOfficeSession::saveCopyAs(int id, const QString& path,
                                                  PresentationDocument::FileFormat format)
{
    return onDocument<std::monostate>(
        id, [&](const Reference<lang::XComponent>& doc) -> PresentationStatus {
            std::vector<beans::PropertyValue> args = {
                property("Overwrite", Any(true)),
                property("FilterName", Any(OUString::createFromAscii(filterOf(format))))};
            // Keeps page N = slide N.
            if (format == PresentationDocument::FileFormat::Pdf)
                args.push_back(property(
                    "FilterData", Any(properties({property("ExportHiddenSlides", Any(true))}))));
            Reference<frame::XStorable>(doc, UNO_QUERY_THROW)
                ->storeToURL(fileUrl(path), properties(args));
            return presentationOk();
        });
}

PresentationStatus LibreOfficeSession::save(int id)
{
    return onDocument<std::monostate>(
        id, [&](const Reference<lang::XComponent>& doc) -> PresentationStatus {
            const Reference<frame::XStorable> storable(doc, UNO_QUERY_THROW);
            if (!storable->hasLocation())
                return fail<std::monostate>(QStringLiteral("The presentation has no file yet"));
            storable->store();
            return presentationOk();
        });
}

PresentationResult<SlideShowOptions> LibreOfficeSession::showOptions(int id)
{
    return onDocument<SlideShowOptions>(
        id, [&](const Reference<lang::XComponent>& doc) -> PresentationResult<SlideShowOptions> {
            const Reference<beans::XPropertySet> settings(presentationOf(doc), UNO_QUERY_THROW);
            SlideShowOptions options;
            bool endless = false;
            settings->getPropertyValue("IsEndless") >>= endless;
            options.loopUntilStopped = endless;
            // The office names its "manual advance" setting IsAutomatic.
            bool manual = false;
            settings->getPropertyValue("IsAutomatic") >>= manual;
            options.advanceMode = manual ? SlideShowOptions::AdvanceMode::Manual
                                         : SlideShowOptions::AdvanceMode::SlideTimings;
            const Reference<drawing::XDrawPages> pages = pagesOf(doc);
            for (sal_Int32 i = 0; i < pages->getCount(); ++i) {
                const Reference<beans::XPropertySet> page = pageProperties(pages, i);
                sal_Int32 change = 0;
                sal_Int32 durationS = 0;
                page->getPropertyValue("Change") >>= change;
                page->getPropertyValue("Duration") >>= durationS;
                options.slides.append({change == 1, int(durationS)});
            }
            return options;
        });
}

PresentationStatus LibreOfficeSession::setShowOptions(int id, const SlideShowOptions& options)
{
    return onDocument<std::monostate>(
        id, [&](const Reference<lang::XComponent>& doc) -> PresentationStatus {
            const Reference<beans::XPropertySet> settings(presentationOf(doc), UNO_QUERY_THROW);
            settings->setPropertyValue("IsEndless", Any(options.loopUntilStopped));
            settings->setPropertyValue(
                "IsAutomatic", Any(options.advanceMode == SlideShowOptions::AdvanceMode::Manual));
            const Reference<drawing::XDrawPages> pages = pagesOf(doc);
            const int count = std::min(int(options.slides.size()), int(pages->getCount()));
            for (int i = 0; i < count; ++i) {
                const Reference<beans::XPropertySet> page = pageProperties(pages, i);
                const SlideShowOptions::SlideAdvance& advance = options.slides[i];
                page->setPropertyValue("Change", Any(sal_Int32(advance.onTime ? 1 : 0)));
                page->setPropertyValue("Duration", Any(sal_Int32(advance.advanceTimeS)));
                page->setPropertyValue("HighResDuration", Any(double(advance.advanceTimeS)));
            }
            return presentationOk();
        });
}

PresentationStatus LibreOfficeSession::close(int id)
{
    return onDocument<std::monostate>(
        id, [&](const Reference<lang::XComponent>& doc) -> PresentationStatus {
            m_uno->documents.erase(id);
            m_startedAhead.erase(id);
            closeDocument(doc);
            return presentationOk();
        });
}
