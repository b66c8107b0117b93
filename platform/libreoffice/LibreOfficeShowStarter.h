#pragma once

#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/presentation/XPresentation2.hpp>

#include <QRect>

// Brings a document's show up on the show screen, in front and with the keyboard, or readies
// it there ahead of its cue (UNO: back end only). Runs on the session's worker thread.
class LibreOfficeShowStarter
{
public:
    enum class Start
    {
        Up,
        EndedAtOnce, // a presenter quick enough on Escape
        TimedOut,
    };

    // screen: where the show goes; an empty one lets the office choose.
    LibreOfficeShowStarter(const QRect& screen, qint64 officePid);

    // A show started from a document whose window was never shown brings soffice down, and
    // laying that window out takes the larger part of a show's start: done ahead, minimised, so
    // that the editing window never reaches the screen. The show starts at the editing view's
    // page: page 1.
    static void readyForShow(const css::uno::Reference<css::lang::XComponent>& doc);
    // Starts doc's show and waits for it to be up.
    Start start(const css::uno::Reference<css::lang::XComponent>& doc,
                const css::uno::Reference<css::presentation::XPresentation2>& show) const;
    // Starts doc's show paused behind the launch screen, so that its cue only has to bring it
    // in front. False (and no show) where that cannot be done: the show starts at its cue.
    bool startAhead(const css::uno::Reference<css::lang::XComponent>& doc,
                    const css::uno::Reference<css::presentation::XPresentation2>& show) const;
    // Gives the show that is up the keyboard, on the show screen.
    void bringInFront() const;

private:
    QRect m_screen;
    qint64 m_officePid = 0;
};
