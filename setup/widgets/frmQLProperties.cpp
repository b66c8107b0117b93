#include "setup/widgets/frmQLProperties.h"

#include "setup/FileIcons.h"
#include "setup/widgets/WidgetNames.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kLargeIconPx = 48;

QFrame* separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

frmQLProperties::frmQLProperties(QuickLaunchProperties& properties, const QString& quickLaunchFile,
                                 QWidget* parent)
    : QDialog(parent), m_properties(properties)
{
    WidgetNames::set(this, QStringLiteral("Quick Launch Properties"),
                     QStringLiteral("frmQLProperties"));
    setWindowTitle(QStringLiteral("Quick Launch Properties"));
    setModal(true);

    m_picIcon = new QLabel(this);
    WidgetNames::set(m_picIcon, QStringLiteral("File type icon"), QStringLiteral("PicIcon"));
    m_picIcon->setFixedSize(kLargeIconPx, kLargeIconPx);
    m_picIcon->setAlignment(Qt::AlignCenter);
    m_txtFileName = new QLineEdit(this);
    WidgetNames::set(m_txtFileName, QStringLiteral("File name"), QStringLiteral("TxtFileName"));
    m_txtFileName->setReadOnly(true);

    auto* labSize = new QLabel(QStringLiteral("Size:"), this);
    labSize->setObjectName(QStringLiteral("LabSize"));
    m_labSizeData = new QLabel(this);
    WidgetNames::set(m_labSizeData, QStringLiteral("Size"), QStringLiteral("LabSizeData"));
    auto* labLocation = new QLabel(QStringLiteral("Location:"), this);
    labLocation->setObjectName(QStringLiteral("LabLocation"));
    m_labLocationData = new QLabel(this);
    WidgetNames::set(m_labLocationData, QStringLiteral("Location"),
                     QStringLiteral("LabLocationData"));
    m_labLocationData->setWordWrap(true);
    for (QLabel* data : {m_labSizeData, m_labLocationData})
        data->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    m_chkLoop = new QCheckBox(QStringLiteral("Loop Continuously until 'Esc'"), this);
    WidgetNames::set(m_chkLoop, m_chkLoop->text(), QStringLiteral("ChkLoop"));
    m_chkAdvance = new QCheckBox(QStringLiteral("Advance Slides Automatically after"), this);
    WidgetNames::set(m_chkAdvance, m_chkAdvance->text(), QStringLiteral("ChkAdvance"));
    m_txtDelay = new QLineEdit(QStringLiteral("00:00"), this);
    WidgetNames::set(m_txtDelay, QStringLiteral("Delay (minutes:seconds)"),
                     QStringLiteral("TxtDelay"));
    m_txtDelay->setMaxLength(5);
    m_txtDelay->setFixedWidth(m_txtDelay->fontMetrics().horizontalAdvance(QStringLiteral("00:00")) +
                              16);
    m_upDown1 = new QSpinBox(this);
    WidgetNames::set(m_upDown1, QStringLiteral("Delay in seconds"), QStringLiteral("UpDown1"));
    m_upDown1->setRange(0, MaxDelayS);
    m_upDown1->setSuffix(QStringLiteral(" s"));

    m_comOk = new QPushButton(QStringLiteral("OK"), this);
    WidgetNames::set(m_comOk, QStringLiteral("OK"), QStringLiteral("ComOk"));
    m_comOk->setDefault(true);
    m_comCancel = new QPushButton(QStringLiteral("Cancel"), this);
    WidgetNames::set(m_comCancel, QStringLiteral("Cancel"), QStringLiteral("ComCancel"));

    auto* header = new QHBoxLayout;
    header->addWidget(m_picIcon);
    header->addWidget(m_txtFileName, 1);
    auto* data = new QFormLayout;
    data->addRow(labSize, m_labSizeData);
    data->addRow(labLocation, m_labLocationData);
    labSize->setBuddy(m_labSizeData);
    labLocation->setBuddy(m_labLocationData);
    auto* advanceRow = new QHBoxLayout;
    advanceRow->addWidget(m_chkAdvance);
    advanceRow->addWidget(m_txtDelay);
    advanceRow->addWidget(m_upDown1);
    advanceRow->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_comOk);
    buttons->addWidget(m_comCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(separator(this));
    layout->addLayout(data);
    layout->addWidget(separator(this));
    layout->addWidget(m_chkLoop);
    layout->addLayout(advanceRow);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(m_chkAdvance, &QCheckBox::toggled, this, &frmQLProperties::ChkAdvance_Click);
    connect(m_upDown1, &QSpinBox::valueChanged, this, &frmQLProperties::UpDown1_Change);
    // Leaving the box (or Enter in it) ends the edit.
    connect(m_txtDelay, &QLineEdit::editingFinished, this, &frmQLProperties::TxtDelay_LostFocus);
    connect(m_comOk, &QPushButton::clicked, this, &frmQLProperties::ComOk_Click);
    connect(m_comCancel, &QPushButton::clicked, this, &frmQLProperties::ComCancel_Click);
    connect(&m_properties, &QuickLaunchProperties::loaded, this, [this] {
        showFields();
        setWorking(false);
    });
    connect(&m_properties, &QuickLaunchProperties::saved, this,
            [this](const PresentationStatus& status) {
                m_okStatus = status;
                setWorking(false);
                accept();
            });

    Form_Load(quickLaunchFile);
}

void frmQLProperties::Form_Load(const QString& quickLaunchFile)
{
    setWorking(true);
    m_properties.load(quickLaunchFile);
    // The file's own data is known at once; the show settings follow.
    showFields();
}

void frmQLProperties::setWorking(bool working)
{
    for (QWidget* control : {static_cast<QWidget*>(m_chkLoop), static_cast<QWidget*>(m_chkAdvance),
                             static_cast<QWidget*>(m_comOk)})
        control->setEnabled(!working);
    if (working) {
        m_txtDelay->setEnabled(false);
        m_upDown1->setEnabled(false);
        setCursor(Qt::BusyCursor);
    } else {
        ChkAdvance_Click();
        unsetCursor();
    }
}

void frmQLProperties::showFields()
{
    const QuickLaunchProperties::Fields& fields = m_properties.fields();
    const QIcon icon = fields.isShow ? FileIcons::show() : FileIcons::presentation();
    m_picIcon->setPixmap(icon.pixmap(kLargeIconPx));
    m_txtFileName->setText(fields.fileName);
    m_labSizeData->setText(fields.sizeText);
    m_labLocationData->setText(fields.location);
    m_chkLoop->setChecked(fields.loop);
    m_chkAdvance->setChecked(fields.advance);
    m_txtDelay->setText(fields.delayText);
    m_upDown1->setValue(fields.delayS);
}

void frmQLProperties::ChkAdvance_Click()
{
    const bool on = m_chkAdvance->isChecked();
    m_txtDelay->setEnabled(on);
    m_upDown1->setEnabled(on);
}

void frmQLProperties::UpDown1_Change()
{
    m_txtDelay->setText(QuickLaunchProperties::delayText(m_upDown1->value()));
}

void frmQLProperties::TxtDelay_LostFocus()
{
    m_upDown1->setValue(QuickLaunchProperties::delaySeconds(m_txtDelay->text()));
}

void frmQLProperties::ComOk_Click()
{
    if (m_properties.isBusy())
        return;
    setWorking(true);
    m_properties.ok(m_chkLoop->isChecked(), m_chkAdvance->isChecked(), m_txtDelay->text());
}

void frmQLProperties::ComCancel_Click()
{
    m_properties.cancel();
    QDialog::reject();
}

void frmQLProperties::reject()
{
    ComCancel_Click();
}
