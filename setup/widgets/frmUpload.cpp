#include "setup/widgets/frmUpload.h"

#include "livecast/AdminUpload.h"

frmUpload::frmUpload(AdminUpload& upload, QWidget* parent, int timUploadMs)
    : UploadWindow(upload, QStringLiteral("frmUpload"), QStringLiteral("Upload Slides"), parent,
                   timUploadMs)
{}
