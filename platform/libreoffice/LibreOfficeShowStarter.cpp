#include "platform/libreoffice/LibreOfficeShowStarter.h"

#include "platform/X11ShowWindows.h"
#include "platform/libreoffice/LibreOfficeUno.h"

#include <com/sun/star/awt/XTopWindow2.hpp>
#include <com/sun/star/awt/XWindow.hpp>
#include <com/sun/star/drawing/XDrawView.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/presentation/XSlideShowController.hpp>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <atomic>
#include <thread>

using namespace css;
using namespace LibreOfficeUno;
using css::uno::Any;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

constexpr int kShowStartBoundMs = 15000;
// From the show's controller to its window being the one in front, under a window manager.
constexpr int kShowFrontBoundMs = 3000;

} // namespace

LibreOfficeShowStarter::LibreOfficeShowStarter(const QRect& screen, qint64 officePid)
    : m_screen(screen), m_officePid(officePid)
{}

void LibreOfficeShowStarter::readyForShow(const Reference<lang::XComponent>& doc)
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

LibreOfficeShowStarter::Start
LibreOfficeShowStarter::start(const Reference<lang::XComponent>& doc,
                              const Reference<presentation::XPresentation2>& show) const
{
    // The office numbers its displays from 1 in the X server's order; 0 lets it choose.
    const int monitor = m_screen.isEmpty() ? -1 : X11ShowWindows::monitorIndexOf(m_screen);
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
            return Start::EndedAtOnce;
        if (timer.elapsed() > kShowStartBoundMs)
            return Start::TimedOut;
        QThread::msleep(10);
    }
    return Start::Up;
}

// The office takes about as long to start a show and paint its first slide as an audience
// notices. A show started ahead waits paused behind the launch screen, and its cue only brings
// it in front. That needs the launch screen in front now, on the screen the show will take, so
// that it can be put back in front of the show the moment the show's window comes up; otherwise
// the show is started at its cue.
bool LibreOfficeShowStarter::startAhead(const Reference<lang::XComponent>& doc,
                                        const Reference<presentation::XPresentation2>& show) const
{
    const X11ShowWindows::Window front = X11ShowWindows::activeWindow();
    if (front.pid != QCoreApplication::applicationPid() || !front.fullScreen || !front.viewable ||
        (!m_screen.isEmpty() && front.geometry != m_screen))
        return false;
    // Where the office cannot reach the show screen itself, the show is moved there at its cue.
    if (!m_screen.isEmpty() && X11ShowWindows::monitorIndexOf(m_screen) < 0)
        return false;
    QElapsedTimer timer;
    timer.start();
    std::atomic<bool> stop = false;
    bool keptBack = false;
    std::thread keeper([&] {
        keptBack = X11ShowWindows::keepInFront(front.id, m_officePid, stop, kShowFrontBoundMs);
    });
    const Start started = start(doc, show);
    const Reference<presentation::XSlideShowController> controller =
        started == Start::Up ? show->getController()
                             : Reference<presentation::XSlideShowController>();
    if (controller.is())
        controller->pause();
    else
        stop = true;
    keeper.join();
    const QList<X11ShowWindows::Window> shows = X11ShowWindows::showWindowsOf(m_officePid);
    const bool inPlace =
        !shows.isEmpty() && (m_screen.isEmpty() || shows.last().geometry == m_screen);
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

void LibreOfficeShowStarter::bringInFront() const
{
    // Under a window manager the show comes up behind whatever was in front, without the
    // keyboard, until it is activated.
    if (!X11ShowWindows::activateShow(m_officePid, kShowFrontBoundMs))
        qCWarning(lcLibreOffice, "the show window did not come to the front");
    // Where the office cannot tell the screens apart, the show is moved to the right one.
    if (!m_screen.isEmpty() && !X11ShowWindows::placeShow(m_officePid, m_screen, kShowFrontBoundMs))
        qCWarning(lcLibreOffice, "the show is not on the show screen");
}
