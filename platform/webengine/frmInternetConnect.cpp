#include "platform/webengine/frmInternetConnect.h"
#include "platform/webengine/KeyTarget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <QWebEngineView>

frmInternetConnect::frmInternetConnect(const QUrl& url, QWidget* parent)
    : QDialog(parent), m_brwWebBrowser(new QWebEngineView(this))
{
    setObjectName(QStringLiteral("frmInternetConnect"));
    setAccessibleName(QStringLiteral("Internet Connect"));
    setAccessibleDescription(QStringLiteral("frmInternetConnect"));
    setWindowTitle(QStringLiteral("Internet Connect"));
    m_brwWebBrowser->setObjectName(QStringLiteral("brwWebBrowser"));
    m_brwWebBrowser->setAccessibleName(QStringLiteral("Session page"));
    m_brwWebBrowser->setAccessibleDescription(QStringLiteral("brwWebBrowser"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_brwWebBrowser);
    if (url.isEmpty())
        m_brwWebBrowser->setHtml(QStringLiteral("<html><body style=\"font: 32px sans-serif; "
                                                "margin: 2em\"><p>%1</p></body></html>")
                                     .arg(NoPageText.toHtmlEscaped()));
    else
        m_brwWebBrowser->load(url);
    setWindowState(Qt::WindowFullScreen);
}

void frmInternetConnect::showEvent(QShowEvent* event)
{
    // The page's own widgets take the keys: watch them all while the window is up.
    qApp->installEventFilter(this);
    QDialog::showEvent(event);
    m_brwWebBrowser->setFocus();
}

void frmInternetConnect::hideEvent(QHideEvent* event)
{
    qApp->removeEventFilter(this);
    QDialog::hideEvent(event);
}

bool frmInternetConnect::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Escape || key == Qt::Key_F1) && keyIsFor(this, watched)) {
            if (event->type() == QEvent::KeyPress)
                accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
