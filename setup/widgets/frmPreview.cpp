#include "setup/widgets/frmPreview.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

void nameWidget(QWidget* widget, const QString& accessibleName, const QString& name)
{
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    widget->setAccessibleDescription(name);
}

} // namespace

frmPreview::frmPreview(const QString& previewFolder, int slideCount, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_previewFolder(previewFolder),
      m_slideCount(qMax(0, slideCount)), m_picConPreview(new QFrame(this)),
      m_imgTPreview(new QLabel(m_picConPreview)),
      m_vScroll(new QScrollBar(Qt::Vertical, m_picConPreview)),
      m_labSCount(new QLabel(m_picConPreview)),
      m_comInsert(new QPushButton(QStringLiteral("Insert"), m_picConPreview))
{
    nameWidget(this, QStringLiteral("Preview"), QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Preview"));
    setAttribute(Qt::WA_ShowWithoutActivating);

    nameWidget(m_picConPreview, QStringLiteral("Preview"), QStringLiteral("PicConPreview"));
    nameWidget(m_imgTPreview, QStringLiteral("Slide preview"), QStringLiteral("ImgTPreview"));
    m_imgTPreview->setAlignment(Qt::AlignCenter);
    m_imgTPreview->setMinimumSize(320, 240);
    m_imgTPreview->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_imgTPreview->setFrameShape(QFrame::Box);
    nameWidget(m_vScroll, QStringLiteral("Slide number"), QStringLiteral("VScroll"));
    m_vScroll->setFocusPolicy(Qt::StrongFocus);
    m_vScroll->setRange(1, qMax(1, m_slideCount));
    m_vScroll->setSingleStep(1);
    m_vScroll->setPageStep(1);
    m_vScroll->setEnabled(m_slideCount > 0);
    // The label's accessible name is the number it shows.
    m_labSCount->setObjectName(QStringLiteral("labSCount"));
    m_labSCount->setAccessibleDescription(QStringLiteral("labSCount"));
    m_labSCount->setAlignment(Qt::AlignCenter);
    nameWidget(m_comInsert, QStringLiteral("Insert"), QStringLiteral("ComInsert"));
    m_comInsert->setEnabled(m_slideCount > 0);

    auto* grid = new QGridLayout(m_picConPreview);
    grid->addWidget(m_imgTPreview, 0, 0);
    grid->addWidget(m_vScroll, 0, 1);
    grid->addWidget(m_labSCount, 1, 0);
    grid->addWidget(m_comInsert, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_picConPreview);
    setTabOrder(m_vScroll, m_comInsert);

    connect(m_vScroll, &QScrollBar::valueChanged, this, &frmPreview::VScroll_Change);
    connect(m_comInsert, &QPushButton::clicked, this, &frmPreview::ComInsert_Click);
    VScroll_Change(m_vScroll->value());
}

int frmPreview::slide() const
{
    return m_vScroll->value();
}

QString frmPreview::thumbnailPath(int slide) const
{
    QString folder = m_previewFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + QStringLiteral("Slide%1.bmp").arg(slide);
}

void frmPreview::VScroll_Change(int value)
{
    if (m_slideCount < 1) {
        m_thumbnail = QImage();
        m_labSCount->clear();
    } else {
        m_thumbnail = QImage(thumbnailPath(value));
        m_labSCount->setText(QString::number(value));
    }
    showThumbnail();
}

void frmPreview::ComInsert_Click()
{
    if (m_slideCount < 1)
        return;
    emit insertRequested(slide(), m_thumbnail);
    // More slides may follow into other places: the scroll bar is where the next choice starts.
    m_vScroll->setFocus();
}

void frmPreview::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

void frmPreview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    showThumbnail();
}

void frmPreview::showThumbnail()
{
    if (m_thumbnail.isNull()) {
        m_imgTPreview->setPixmap(QPixmap());
        return;
    }
    const QSize room = m_imgTPreview->contentsRect().size();
    m_imgTPreview->setPixmap(QPixmap::fromImage(
        m_thumbnail.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}
