#include "show/widgets/LiveCastPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>

namespace {

template <typename W> W* named(W* widget, const QString& accessibleName, const QString& name)
{
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    widget->setAccessibleDescription(name);
    return widget;
}

QString percent(int value)
{
    return QString::number(value) + QLatin1Char('%');
}

} // namespace

LiveCastPanel::LiveCastPanel(QWidget* parent) : QFrame(parent)
{
    named(this, QStringLiteral("LiveCast controls"), QStringLiteral("PicLivecastContainer"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setCursor(Qt::ArrowCursor);

    auto* title = named(new QLabel(QStringLiteral("LiveCast"), this), QStringLiteral("LiveCast"),
                        QStringLiteral("LabLiveCast"));
    m_chkRolling = named(new QCheckBox(QStringLiteral("Rolling Presentation"), this),
                         QStringLiteral("Rolling Presentation"), QStringLiteral("ChkRolling"));
    auto* viewLabel = named(new QLabel(QStringLiteral("View"), this), QStringLiteral("View"),
                            QStringLiteral("LabView"));
    m_comboViewLC =
        named(new QComboBox(this), QStringLiteral("View"), QStringLiteral("ComboViewLC"));
    m_comboViewLC->addItems({QStringLiteral("Scale Video / Slide"),
                             QStringLiteral("Thumbnail Video"), QStringLiteral("Slide Only"),
                             QStringLiteral("Video Only")});
    viewLabel->setBuddy(m_comboViewLC);
    auto* scaleLabel = named(new QLabel(QStringLiteral("Scale"), this), QStringLiteral("Scale"),
                             QStringLiteral("LabScale"));
    m_hScrollLC = named(new QScrollBar(Qt::Horizontal, this), QStringLiteral("Scale"),
                        QStringLiteral("HScrollLC"));
    m_hScrollLC->setRange(MinimumScale, MaximumScale);
    m_hScrollLC->setPageStep(10);
    m_hScrollLC->setFocusPolicy(Qt::StrongFocus);
    m_hScrollLC->setMinimumWidth(160);
    scaleLabel->setBuddy(m_hScrollLC);
    m_labHSLC = named(new QLabel(this), QStringLiteral("Scale"), QStringLiteral("LabHSLC"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(title, 0, 0, 1, 3);
    grid->addWidget(m_chkRolling, 1, 0, 1, 3);
    grid->addWidget(viewLabel, 2, 0);
    grid->addWidget(m_comboViewLC, 2, 1, 1, 2);
    grid->addWidget(scaleLabel, 3, 0);
    grid->addWidget(m_hScrollLC, 3, 1);
    grid->addWidget(m_labHSLC, 3, 2);

    connect(m_comboViewLC, &QComboBox::activated, this, &LiveCastPanel::viewChosen);
    connect(m_hScrollLC, &QScrollBar::valueChanged, this, [this](int value) {
        m_labHSLC->setText(percent(value));
        m_labHSLC->setAccessibleName(QStringLiteral("Scale: ") + percent(value));
        emit scaleChanged(value);
    });
    connect(m_chkRolling, &QCheckBox::clicked, this, &LiveCastPanel::rollingClicked);
    hide();
}

void LiveCastPanel::showOptions(int view, int scale, bool rolling, bool scaleEnabled)
{
    const QSignalBlocker blockView(m_comboViewLC);
    const QSignalBlocker blockScale(m_hScrollLC);
    const QSignalBlocker blockRolling(m_chkRolling);
    m_comboViewLC->setCurrentIndex(view);
    m_hScrollLC->setValue(scale);
    m_labHSLC->setText(percent(m_hScrollLC->value()));
    m_labHSLC->setAccessibleName(QStringLiteral("Scale: ") + percent(m_hScrollLC->value()));
    m_chkRolling->setChecked(rolling);
    m_hScrollLC->setEnabled(scaleEnabled);
    m_labHSLC->setEnabled(scaleEnabled);
}
