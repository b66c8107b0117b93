#pragma once

#include "setup/QuickLaunchProperties.h"

#include <QGroupBox>
#include <QHash>

#include <functional>

class PresentationApp;
class QAction;
class QLabel;
class QToolBar;
class QuickLaunchBar;

// The "Quick Launch" frame of the "Main" section: the icon box, the file title and the toolbar
// with Open, Cut, Properties and Show. Drops anywhere on the frame (its label and icon box take
// none of their own) assign the first dropped file.
class QuickLaunchPanel : public QGroupBox
{
    Q_OBJECT

public:
    // dialogFolder gives the folder the open dialog starts in, asked at each Open.
    QuickLaunchPanel(QuickLaunchBar& bar, PresentationApp& presentations,
                     std::function<QString()> dialogFolder, QWidget* parent = nullptr);

    void TbarQLaunch_ButtonClick(const QString& key);

    QLabel* fileTitle() const { return m_labQLFileTitle; }
    QLabel* iconBox() const { return m_picQLaunch; }
    QToolBar* toolbar() const { return m_tbarQLaunch; }
    QAction* button(const QString& key) const;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void refresh();
    void showProperties();

    QuickLaunchBar& m_bar;
    // Outlives each properties window: it closes the presentation after the window has gone.
    QuickLaunchProperties m_properties;
    std::function<QString()> m_dialogFolder;
    QLabel* m_picQLaunch = nullptr;
    QLabel* m_labQLFileTitle = nullptr;
    QToolBar* m_tbarQLaunch = nullptr;
    QHash<QString, QAction*> m_buttons; // by key: "Open", "Cut", "Properties", "Show"
};
