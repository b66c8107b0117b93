#include "setup/widgets/frmExtract.h"

#include "document/BackgroundPresentationsExtractor.h"
#include "setup/widgets/ProgressDisplay.h"

#include <QCloseEvent>
#include <QVBoxLayout>

frmExtract::frmExtract(BackgroundPresentationsExtractor& extractor, QWidget* parent)
    : QDialog(parent), m_extractor(extractor), m_progress(new ProgressDisplay(this))
{
    setObjectName(QStringLiteral("frmExtract"));
    setWindowTitle(QStringLiteral("Extract"));
    setAccessibleName(QStringLiteral("Extract"));
    setAccessibleDescription(QStringLiteral("frmExtract"));
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_progress);

    connect(&m_extractor, &BackgroundPresentationsExtractor::extractionStarted, this, [this] {
        m_progress->reset();
        show();
    });
    connect(&m_extractor, &BackgroundPresentationsExtractor::progressChanged, m_progress,
            &ProgressDisplay::setProgress);
    connect(&m_extractor, &BackgroundPresentationsExtractor::extractionFinished, this,
            &QWidget::hide);
}

void frmExtract::closeEvent(QCloseEvent* event)
{
    if (m_extractor.isRunning())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void frmExtract::reject()
{
    if (!m_extractor.isRunning())
        QDialog::reject();
}
