#pragma once

#include <QFileDialog>

// Qt's own (not the desktop's) save dialog that gives a typed name the extension of what is
// saved before anything else looks at it, so that the question about replacing an existing file
// (unless DontConfirmOverwrite is set) is asked of the file that will really be written.
class SaveFileDialog : public QFileDialog
{
public:
    SaveFileDialog(QWidget* parent, const QString& folder, const QString& qtFilter,
                   QString extension);

    // The chosen path, extension included; empty when the operator cancelled.
    QString chosenPath() const;

protected:
    void accept() override;

private:
    QString m_extension;
    QString m_chosen;
};
