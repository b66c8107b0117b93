#pragma once

#include "setup/widgets/CancellableProgressWindow.h"

class ZippedEventExport;

// The export window: shows which presentation is being added and how far the export is, and
// lets the operator cancel it. It appears for the copy and hides when the copy has ended.
class frmExport : public CancellableProgressWindow
{
    Q_OBJECT

public:
    // The export must outlive the window.
    explicit frmExport(ZippedEventExport& job, QWidget* parent = nullptr);
};
