#include "show/PlayModeStart.h"

#include "platform/MessageService.h"
#include "platform/PresentationApp.h"
#include "show/PowerSupplyStatus.h"

#include <cmath>

bool PlayModeStart::closeOtherPresentations(PresentationApp& program, MessageService& messages,
                                            const QString& untitledFolder)
{
    // A program that does not answer holds nothing that could be lost.
    if (program.openPresentationCount().valueOr(0) <= 0)
        return true;
    const MsgAnswer answer =
        messages.show(QStringLiteral("\nAll Open Presentations need to be closed\n"
                                     "Click OK to Auto Save and Close"),
                      MsgButtons::OkCancel, MsgIcon::None);
    if (answer != MsgAnswer::Ok)
        return false;
    const PresentationStatus saved = program.saveAndCloseAll(untitledFolder);
    if (!saved.ok()) {
        // Ending the program now would lose the changes that could not be saved.
        messages.show(saved.error(), MsgButtons::Ok, MsgIcon::Exclamation);
        return true;
    }
    program.quit();
    program.startInBackground();
    return true;
}

void PlayModeStart::checkPower(int acLineStatus, MessageService& messages)
{
    if (acLineStatus == PowerSupplyStatus::Battery)
        messages.show(QStringLiteral("The System is Using Battery Power!"), MsgButtons::Ok,
                      MsgIcon::None);
    else if (acLineStatus == PowerSupplyStatus::Unknown)
        messages.show(QStringLiteral("\nAC power status is unknown!Please check power connection"),
                      MsgButtons::Ok, MsgIcon::None);
}

QPoint PlayModeStart::returnPosition(const QRect& remembered, const QRect& screen)
{
    const int limit = screen.left() + int(std::floor(screen.width() * 0.99));
    QPoint position = remembered.topLeft();
    if (remembered.left() + remembered.width() > limit)
        position.setX(limit - remembered.width());
    return position;
}
