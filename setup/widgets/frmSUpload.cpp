#include "setup/widgets/frmSUpload.h"

#include "livecast/SpeakerUpload.h"

frmSUpload::frmSUpload(SpeakerUpload& upload, QWidget* parent, int timUploadMs)
    : UploadWindow(upload, QStringLiteral("frmSUpload"), QStringLiteral("Upload Speaker"), parent,
                   timUploadMs)
{}
