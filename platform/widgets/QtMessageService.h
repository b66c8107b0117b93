#pragma once

#include "platform/MessageService.h"

class QWidget;

class QtMessageService : public MessageService
{
public:
    explicit QtMessageService(QWidget* parent = nullptr) : m_parent(parent) {}

    void setParent(QWidget* parent) { m_parent = parent; }
    MsgAnswer show(const QString& text, MsgButtons buttons, MsgIcon icon) override;

private:
    QWidget* m_parent;
};
