#include "setup/widgets/CancellableProgressWindow.h"

#include "setup/widgets/ProgressDisplay.h"

#include <QPushButton>
#include <QVBoxLayout>

CancellableProgressWindow::CancellableProgressWindow(const QString& name, const QString& title,
                                                     std::function<void()> cancel,
                                                     std::function<bool()> running, QWidget* parent)
    : QDialog(parent), m_cancel(std::move(cancel)), m_running(std::move(running)),
      m_progress(new ProgressDisplay(this)),
      m_comCancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(name);
    setWindowTitle(title);
    setAccessibleName(title);
    setAccessibleDescription(name);
    setWindowModality(Qt::ApplicationModal);
    m_comCancel->setObjectName(QStringLiteral("ComCancel"));
    m_comCancel->setAccessibleName(QStringLiteral("Cancel"));
    m_comCancel->setAccessibleDescription(QStringLiteral("ComCancel"));
    m_comCancel->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_progress);
    layout->addWidget(m_comCancel, 0, Qt::AlignRight);
    connect(m_comCancel, &QPushButton::clicked, this, &CancellableProgressWindow::ComCancel_Click);
}

void CancellableProgressWindow::jobStarted()
{
    m_progress->reset();
    m_comCancel->setEnabled(true);
    show();
    m_comCancel->setFocus();
}

void CancellableProgressWindow::ComCancel_Click()
{
    m_comCancel->setEnabled(false);
    m_cancel();
}

void CancellableProgressWindow::reject()
{
    if (m_running())
        ComCancel_Click();
    else
        QDialog::reject();
}
