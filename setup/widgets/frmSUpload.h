#pragma once

#include "setup/widgets/UploadWindow.h"

class SpeakerUpload;

// A speaker's "Upload": that speaker's slides going to the webcast server.
class frmSUpload : public UploadWindow
{
    Q_OBJECT

public:
    explicit frmSUpload(SpeakerUpload& upload, QWidget* parent = nullptr, int timUploadMs = -1);
};
