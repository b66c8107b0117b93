#pragma once

#include "setup/widgets/CancellableProgressWindow.h"
#include "slides/LiveCastExport.h"

class MessageService;
class QTimer;

// The progress window of an export for the webcast ("frmExportPptx" for the whole event,
// "frmSExportPptx" for one speaker): what is being exported, how far the open presentation is,
// and Cancel. The export starts at the window's first timer tick and the window closes when it
// ends.
class frmExportPptx : public CancellableProgressWindow
{
    Q_OBJECT

public:
    static inline const QString ConversionError = QStringLiteral("Error converting Image file");

    // The export and the messages must outlive the window.
    frmExportPptx(LiveCastExport& job, MessageService& messages, const QString& name,
                  QWidget* parent = nullptr);

    // Shows the window modally until the export of request has ended; what it did comes back.
    LiveCastExport::Result run(const LiveCastExport::Request& request);

private:
    LiveCastExport& m_job;
    MessageService& m_messages;
    QTimer* m_timExport;
    LiveCastExport::Request m_request;
    LiveCastExport::Result m_result;
    QString m_status;
};
