#pragma once

#include "platform/FileDialogService.h"

class QWidget;

class QtFileDialogService : public FileDialogService
{
public:
    explicit QtFileDialogService(QWidget* parent = nullptr) : m_parent(parent) {}

    void setParent(QWidget* parent) { m_parent = parent; }
    QString getOpenFileName(const QString& initialFolder, const QString& filter) override;
    QString getSaveFileName(const QString& initialFolder, const QString& filter,
                            ReplaceQuestion replace) override;

private:
    QWidget* m_parent;
};
