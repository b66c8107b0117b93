#pragma once

#include <QDialog>

class LocalWebServer;
class QPushButton;
class QWebEngineView;

// Quick Launch's Flash movie, full screen, in the Ruffle player: Backspace or Escape closes the
// window, "1" plays the movie from its start, "2" lays the page out again.
class frmFlash : public QDialog
{
    Q_OBJECT

public:
    // playerFolder holds Ruffle's files and the page "flash.html".
    frmFlash(const QString& moviePath, const QString& playerFolder, QWidget* parent = nullptr);
    ~frmFlash() override;

    QWebEngineView* browser() const { return m_brwWebBrowser; }
    // False when the page could not be served (no port, no player).
    bool ready() const { return m_ready; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    LocalWebServer* m_server;
    QWebEngineView* m_brwWebBrowser;
    QPushButton* m_command1;
    bool m_ready = false;
};
