#include "frmExport.h"

#include "ProgressDisplay.h"
#include "ZippedEventExport.h"

#include <QPushButton>
#include <QVBoxLayout>

frmExport::frmExport(ZippedEventExport& job, QWidget* parent)
    : QDialog(parent), m_job(job), m_progress(new ProgressDisplay(this)),
      m_comCancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("frmExport"));
    setWindowTitle(QStringLiteral("Export"));
    setAccessibleName(QStringLiteral("Export"));
    setAccessibleDescription(QStringLiteral("frmExport"));
    setWindowModality(Qt::ApplicationModal);
    m_comCancel->setObjectName(QStringLiteral("ComCancel"));
    m_comCancel->setAccessibleName(QStringLiteral("Cancel"));
    m_comCancel->setAccessibleDescription(QStringLiteral("ComCancel"));
    m_comCancel->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_progress);
    layout->addWidget(m_comCancel, 0, Qt::AlignRight);

    connect(m_comCancel, &QPushButton::clicked, this, &frmExport::ComCancel_Click);
    connect(&m_job, &ZippedEventExport::exportStarted, this, [this] {
        m_progress->reset();
        m_comCancel->setEnabled(true);
        show();
        m_comCancel->setFocus();
    });
    connect(&m_job, &ZippedEventExport::progressChanged, m_progress, &ProgressDisplay::setProgress);
    connect(&m_job, &ZippedEventExport::exportFinished, this, &QWidget::hide);
}

void frmExport::ComCancel_Click()
{
    m_comCancel->setEnabled(false);
    m_job.ComCancel_Click();
    // The operator is done with it now; removing what was written goes on without the window.
    hide();
}

void frmExport::reject()
{
    if (m_job.isRunning())
        ComCancel_Click();
    else
        QDialog::reject();
}
