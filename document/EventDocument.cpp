#include "document/EventDocument.h"

void EventDocument::clearEvent()
{
    Speakers = {};
    SpeakerCount = 0;
    ImgHoldingFull = QImage();
    ImgHolding = QImage();
    for (PopUpSlot& slot : PopUps)
        slot.clear();
    QuickLaunchFile.clear();
    ImportDir = DesktopFolder;
    HoldingTimeCode.clear();
    QuickLaunchTimeCode.clear();
    PopUpsTimeCode.clear();
    InternetConnectUrl.clear();
    InternetConnectSession.clear();
    InternetConnectPassword.clear();
    InternetConnectObscure = 0;
}
