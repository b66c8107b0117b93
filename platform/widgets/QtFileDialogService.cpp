#include "platform/widgets/QtFileDialogService.h"

#include "platform/FileDialogFilter.h"
#include "platform/widgets/SaveFileDialog.h"

#include <QFileDialog>

QString QtFileDialogService::getOpenFileName(const QString& initialFolder, const QString& filter)
{
    return QFileDialog::getOpenFileName(m_parent, QStringLiteral("Open"), initialFolder,
                                        FileDialogFilter::toQt(filter));
}

QString QtFileDialogService::getSaveFileName(const QString& initialFolder, const QString& filter,
                                             ReplaceQuestion replace)
{
    SaveFileDialog dialog(m_parent, initialFolder, FileDialogFilter::toQt(filter),
                          FileDialogFilter::saveExtension(filter));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, replace == ReplaceQuestion::ByCommand);
    dialog.exec();
    return dialog.chosenPath();
}
