#include "frmCopy.h"

#include "ImportCopier.h"
#include "ProgressDisplay.h"

#include <QPushButton>
#include <QVBoxLayout>

frmCopy::frmCopy(ImportCopier& copier, QWidget* parent)
    : QDialog(parent), m_copier(copier), m_progress(new ProgressDisplay(this)),
      m_comCancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("frmCopy"));
    setWindowTitle(QStringLiteral("Copying"));
    setAccessibleName(QStringLiteral("Copying"));
    setAccessibleDescription(QStringLiteral("frmCopy"));
    setWindowModality(Qt::ApplicationModal);
    m_comCancel->setObjectName(QStringLiteral("ComCancel"));
    m_comCancel->setAccessibleName(QStringLiteral("Cancel"));
    m_comCancel->setAccessibleDescription(QStringLiteral("ComCancel"));
    m_comCancel->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_progress);
    layout->addWidget(m_comCancel, 0, Qt::AlignRight);

    connect(m_comCancel, &QPushButton::clicked, this, &frmCopy::ComCancel_Click);
    connect(&m_copier, &ImportCopier::copyStarted, this, [this] {
        m_progress->reset();
        m_comCancel->setEnabled(true);
        show();
        m_comCancel->setFocus();
    });
    connect(&m_copier, &ImportCopier::progressChanged, m_progress, &ProgressDisplay::setProgress);
    connect(&m_copier, &ImportCopier::copyFinished, this, &QWidget::hide);
}

void frmCopy::ComCancel_Click()
{
    m_comCancel->setEnabled(false);
    m_copier.ComCancel_Click();
}

void frmCopy::reject()
{
    if (m_copier.isRunning())
        ComCancel_Click();
    else
        QDialog::reject();
}
