#pragma once

#include "setup/widgets/UploadWindow.h"

class AdminUpload;

// "Upload Slides": the whole LiveCast folder going to the webcast server.
class frmUpload : public UploadWindow
{
    Q_OBJECT

public:
    explicit frmUpload(AdminUpload& upload, QWidget* parent = nullptr, int timUploadMs = -1);
};
