#include "setup/widgets/frmExport.h"

#include "setup/ZippedEventExport.h"
#include "setup/widgets/ProgressDisplay.h"

frmExport::frmExport(ZippedEventExport& job, QWidget* parent)
    : CancellableProgressWindow(
          QStringLiteral("frmExport"), QStringLiteral("Export"),
          [this, &job] {
              job.ComCancel_Click();
              // The operator is done with it now; removing what was written goes on without
              // the window.
              hide();
          },
          [&job] { return job.isRunning(); }, parent)
{
    connect(&job, &ZippedEventExport::exportStarted, this, &frmExport::jobStarted);
    connect(&job, &ZippedEventExport::progressChanged, progress(), &ProgressDisplay::setProgress);
    connect(&job, &ZippedEventExport::exportFinished, this, &QWidget::hide);
}
