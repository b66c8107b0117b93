#include "document/Event.h"

void Event::clear(const QString& importDir)
{
    Speakers.clear();
    ImgHoldingFull = QImage();
    ImgHolding = QImage();
    for (PopUpSlot& slot : PopUps)
        slot.clear();
    QuickLaunchFile.clear();
    ImportDir = importDir;
    HoldingTimeCode.clear();
    QuickLaunchTimeCode.clear();
    PopUpsTimeCode.clear();
    InternetConnectUrl.clear();
    InternetConnectSession.clear();
    InternetConnectPassword.clear();
    InternetConnectObscure = 0;
}
