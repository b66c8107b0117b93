#include "setup/widgets/frmEncoderSettings.h"

#include "setup/widgets/WidgetNames.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmEncoderSettings::frmEncoderSettings(const QString& fmsUrl, const QString& streamName,
                                       QWidget* parent)
    : QDialog(parent)
{
    WidgetNames::set(this, QStringLiteral("Encoder Settings"),
                     QStringLiteral("frmEncoderSettings"));
    setWindowTitle(QStringLiteral("Encoder Settings"));

    m_txtFmsUrl = new QLineEdit(fmsUrl, this);
    WidgetNames::set(m_txtFmsUrl, QStringLiteral("FMS URL"), QStringLiteral("TxtFMSURL"));
    m_txtFmsUrl->setMinimumWidth(360);
    m_txtStreamName = new QLineEdit(streamName, this);
    WidgetNames::set(m_txtStreamName, QStringLiteral("Stream Name"),
                     QStringLiteral("TxtStreamName"));

    auto* form = new QFormLayout;
    auto* fmsLabel = new QLabel(QStringLiteral("&FMS URL:"), this);
    fmsLabel->setBuddy(m_txtFmsUrl);
    form->addRow(fmsLabel, m_txtFmsUrl);
    auto* streamLabel = new QLabel(QStringLiteral("&Stream Name:"), this);
    streamLabel->setBuddy(m_txtStreamName);
    form->addRow(streamLabel, m_txtStreamName);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(QStringLiteral("OK"));
    WidgetNames::set(ok, QStringLiteral("OK"), QStringLiteral("ComOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}
