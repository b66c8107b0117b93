#include "QtFileDialogService.h"

#include "FileDialogFilter.h"

#include <QFileDialog>

QString QtFileDialogService::getOpenFileName(const QString& initialFolder, const QString& filter)
{
    return QFileDialog::getOpenFileName(m_parent, QStringLiteral("Open"), initialFolder,
                                        FileDialogFilter::toQt(filter));
}

QString QtFileDialogService::getSaveFileName(const QString& initialFolder, const QString& filter)
{
    QString path = QFileDialog::getSaveFileName(m_parent, QStringLiteral("Save As"), initialFolder,
                                                FileDialogFilter::toQt(filter));
    // The save filter offers only event files; a name typed without the extension gets it.
    if (!path.isEmpty() && !path.endsWith(QStringLiteral(".evf"), Qt::CaseInsensitive))
        path += QStringLiteral(".evf");
    return path;
}
