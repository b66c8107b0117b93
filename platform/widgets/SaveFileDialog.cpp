#include "platform/widgets/SaveFileDialog.h"

#include <QFileInfo>
#include <QMessageBox>

SaveFileDialog::SaveFileDialog(QWidget* parent, const QString& folder, const QString& qtFilter,
                               QString extension)
    : QFileDialog(parent, QStringLiteral("Save As"), folder, qtFilter),
      m_extension(std::move(extension))
{
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setOption(QFileDialog::DontUseNativeDialog);
}

QString SaveFileDialog::chosenPath() const
{
    return result() == QDialog::Accepted ? m_chosen : QString();
}

void SaveFileDialog::accept()
{
    const QString typed = selectedFiles().value(0);
    // A folder is opened, as Qt's dialog does.
    if (typed.isEmpty() || QFileInfo(typed).isDir()) {
        QFileDialog::accept();
        return;
    }
    QString path = typed;
    if (!m_extension.isEmpty() && !path.endsWith(m_extension, Qt::CaseInsensitive))
        path += m_extension;
    if (!testOption(QFileDialog::DontConfirmOverwrite) && QFileInfo::exists(path) &&
        QMessageBox::warning(
            this, windowTitle(),
            tr("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName()),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    m_chosen = path;
    QDialog::accept();
}
