#pragma once

#include <QDialog>

class ClipboardService;
class PresentationApp;
class QTreeWidget;
class ShellService;
class ShowPort;

// The launch record: which presentations were shown, and when. Available files can be opened,
// shown or copied from here.
class frmRecord : public QDialog
{
    Q_OBJECT

public:
    frmRecord(const QString& appFolder, ShellService& shell, ShowPort& shows,
              ClipboardService& clipboard, QWidget* parent = nullptr);

    QTreeWidget* LstRecord() const { return m_lstRecord; }
    void MnuOpen_Click();
    void MnuShow_Click();
    void MnuCopy_Click();
    void MnuCopyAll_Click();

private:
    void TimLoad_Timer();
    QStringList availableFiles(bool selectedOnly) const;
    QString currentAvailableFile() const;

    QString m_appFolder;
    ShellService& m_shell;
    ShowPort& m_shows;
    ClipboardService& m_clipboard;
    QTreeWidget* m_lstRecord;
};
