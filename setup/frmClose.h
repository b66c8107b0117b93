#pragma once

#include <QDialog>

// The closing window: the vendor's logo for a moment before the program ends.
class frmClose : public QDialog
{
    Q_OBJECT

public:
    // logoPath may name a missing file; the window then stays blank for its time.
    explicit frmClose(const QString& logoPath, int showMs = 2000, QWidget* parent = nullptr);
};
