#pragma once

#include "setup/widgets/CancellableProgressWindow.h"

class ImportCopier;

// The copy window of the import rule: which file is being copied from the stick or share, how
// far the copy is, and Cancel. Modal while it shows, so the window behind takes no command that
// the copy's end would contradict.
class frmCopy : public CancellableProgressWindow
{
    Q_OBJECT

public:
    // The copier must outlive the window.
    explicit frmCopy(ImportCopier& copier, QWidget* parent = nullptr);
};
