#include "setup/widgets/frmCopy.h"

#include "document/ImportCopier.h"
#include "setup/widgets/ProgressDisplay.h"

frmCopy::frmCopy(ImportCopier& copier, QWidget* parent)
    : CancellableProgressWindow(
          QStringLiteral("frmCopy"), QStringLiteral("Copying"),
          [&copier] { copier.ComCancel_Click(); }, [&copier] { return copier.isRunning(); }, parent)
{
    connect(&copier, &ImportCopier::copyStarted, this, &frmCopy::jobStarted);
    connect(&copier, &ImportCopier::progressChanged, progress(), &ProgressDisplay::setProgress);
    connect(&copier, &ImportCopier::copyFinished, this, &QWidget::hide);
}
