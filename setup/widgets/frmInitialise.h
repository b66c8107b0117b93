#pragma once

#include <QWidget>

// The splash shown while the setup window starts.
class frmInitialise : public QWidget
{
    Q_OBJECT

public:
    explicit frmInitialise(QWidget* parent = nullptr);
};
