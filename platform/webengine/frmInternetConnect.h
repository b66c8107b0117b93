#pragma once

#include <QDialog>
#include <QUrl>

class QWebEngineView;

// A web page over the whole screen during the show: Escape or F1 closes it, wherever the
// keyboard is inside the page.
class frmInternetConnect : public QDialog
{
    Q_OBJECT

public:
    static inline const QString NoPageText =
        QStringLiteral("No Internet connect page is set for this event.");

    // An empty url shows NoPageText.
    explicit frmInternetConnect(const QUrl& url, QWidget* parent = nullptr);

    QWebEngineView* browser() const { return m_brwWebBrowser; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWebEngineView* m_brwWebBrowser;
};
