#pragma once

#include <QDialog>

class QLineEdit;

// Shows the encoder's streaming address and stream name for the current LiveCast mode, for the
// operator to copy into the encoder; nothing typed here is kept.
class frmEncoderSettings : public QDialog
{
    Q_OBJECT

public:
    frmEncoderSettings(const QString& fmsUrl, const QString& streamName, QWidget* parent = nullptr);

    QLineEdit* fmsUrlBox() const { return m_txtFmsUrl; }
    QLineEdit* streamNameBox() const { return m_txtStreamName; }

private:
    QLineEdit* m_txtFmsUrl;
    QLineEdit* m_txtStreamName;
};
