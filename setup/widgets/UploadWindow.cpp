#include "setup/widgets/UploadWindow.h"

#include "document/EventDocument.h"
#include "livecast/UploadSequence.h"
#include "setup/widgets/ProgressDisplay.h"
#include "setup/widgets/WidgetNames.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString StatusCaption = QStringLiteral("Status");
const QString PercentCaption = QStringLiteral("Uploaded");

} // namespace

UploadWindow::UploadWindow(UploadSequence& upload, const QString& name, const QString& caption,
                           QWidget* parent, int timUploadMs)
    : QDialog(parent), m_upload(upload), m_progress(new ProgressDisplay(this)),
      m_comCancel(new QPushButton(QStringLiteral("Cancel"), this)), m_timUpload(new QTimer(this))
{
    WidgetNames::set(this, caption, name);
    setWindowTitle(EventDocument::ProductName);
    WidgetNames::set(m_comCancel, QStringLiteral("Cancel"), QStringLiteral("ComCancel"));
    m_comCancel->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_progress);
    layout->addWidget(m_comCancel, 0, Qt::AlignRight);

    m_timUpload->setSingleShot(true);
    m_timUpload->setInterval(timUploadMs >= 0 ? timUploadMs : UploadSequence::TimUploadIntervalMs);
    connect(m_timUpload, &QTimer::timeout, &m_upload, &UploadSequence::TimUpload_Timer);
    connect(m_comCancel, &QPushButton::clicked, &m_upload, &UploadSequence::ComCancel_Click);
    connect(&m_upload, &UploadSequence::changed, this, &UploadWindow::refresh);
    connect(&m_upload, &UploadSequence::closeRequested, this, &QDialog::accept);
    refresh();
}

void UploadWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    m_comCancel->setFocus();
    m_timUpload->start();
}

void UploadWindow::reject()
{
    if (m_comCancel->isEnabled())
        m_upload.ComCancel_Click();
}

void UploadWindow::refresh()
{
    WidgetNames::showData(m_progress->status(), StatusCaption, m_upload.LabStatus());
    WidgetNames::showData(m_progress->percent(), PercentCaption, m_upload.labPercent());
    m_progress->bar()->setValue(m_upload.barPercent());
    m_comCancel->setEnabled(m_upload.ComCancelEnabled());
}
