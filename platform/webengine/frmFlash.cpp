#include "platform/webengine/frmFlash.h"
#include "platform/webengine/KeyTarget.h"

#include "platform/webengine/LocalWebServer.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEngineView>

frmFlash::frmFlash(const QString& moviePath, const QString& playerFolder, QWidget* parent)
    : QDialog(parent), m_server(new LocalWebServer(this)),
      m_brwWebBrowser(new QWebEngineView(this)),
      m_command1(new QPushButton(QStringLiteral("Close"), this))
{
    setObjectName(QStringLiteral("frmFlash"));
    setWindowTitle(QStringLiteral("FlashLaunch"));
    setAccessibleName(QStringLiteral("FlashLaunch"));
    setAccessibleDescription(QStringLiteral("frmFlash"));
    m_brwWebBrowser->setObjectName(QStringLiteral("brwWebBrowser"));
    m_brwWebBrowser->setAccessibleName(QStringLiteral("Flash movie"));
    m_brwWebBrowser->setAccessibleDescription(QStringLiteral("brwWebBrowser"));
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setAccessibleName(QStringLiteral("Close"));
    m_command1->setAccessibleDescription(QStringLiteral("Command1"));
    connect(m_command1, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_brwWebBrowser, 1);
    layout->addWidget(m_command1, 0, Qt::AlignRight);

    m_server->addFile(QStringLiteral("/flash.html"), playerFolder + QStringLiteral("/flash.html"));
    m_server->addFile(QStringLiteral("/movie.swf"), moviePath);
    m_server->addFolder(QStringLiteral("/ruffle/"), playerFolder + QStringLiteral("/ruffle"));
    m_ready = QFileInfo(playerFolder + QStringLiteral("/ruffle/ruffle.js")).isFile() &&
              m_server->listen();
    if (m_ready)
        m_brwWebBrowser->load(QUrl(m_server->address() + QStringLiteral("/flash.html")));
    setWindowState(Qt::WindowFullScreen);
}

frmFlash::~frmFlash() = default;

void frmFlash::showEvent(QShowEvent* event)
{
    // The keys go to the window, not to the player inside the page.
    qApp->installEventFilter(this);
    QDialog::showEvent(event);
    m_command1->setFocus();
}

void frmFlash::hideEvent(QHideEvent* event)
{
    qApp->removeEventFilter(this);
    QDialog::hideEvent(event);
}

bool frmFlash::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) ||
        !keyIsFor(this, watched))
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Backspace && key != Qt::Key_Escape && key != Qt::Key_1 && key != Qt::Key_2)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        if (key == Qt::Key_1)
            m_brwWebBrowser->page()->runJavaScript(QStringLiteral("playMovie()"));
        else if (key == Qt::Key_2)
            layout()->invalidate();
        else
            accept();
        m_command1->setFocus();
    }
    return true;
}
