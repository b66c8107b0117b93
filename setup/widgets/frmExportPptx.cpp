#include "setup/widgets/frmExportPptx.h"

#include "platform/MessageService.h"
#include "setup/widgets/ProgressDisplay.h"

#include <QTimer>

frmExportPptx::frmExportPptx(LiveCastExport& job, MessageService& messages, const QString& name,
                             QWidget* parent)
    : CancellableProgressWindow(
          name, QStringLiteral("LiveCast Export"), [&job] { job.cancel(); },
          [&job] { return job.isBusy(); }, parent),
      m_job(job), m_messages(messages), m_timExport(new QTimer(this))
{
    m_timExport->setObjectName(QStringLiteral("TimExport"));
    m_timExport->setInterval(500);
    connect(m_timExport, &QTimer::timeout, this, [this] {
        m_timExport->stop();
        if (!m_job.start(m_request)) {
            m_result.error = QStringLiteral("An export is running already");
            accept();
        }
    });
    connect(&m_job, &LiveCastExport::statusChanged, this, [this](const QString& status) {
        m_status = status;
        progress()->setProgress(status, 0);
    });
    connect(&m_job, &LiveCastExport::percentChanged, this,
            [this](int percent) { progress()->setProgress(m_status, percent); });
    connect(&m_job, &LiveCastExport::conversionFailed, this,
            [this] { m_messages.show(ConversionError, MsgButtons::Ok, MsgIcon::Exclamation); });
    connect(&m_job, &LiveCastExport::finished, this, [this](const LiveCastExport::Result& result) {
        m_result = result;
        accept();
    });
}

LiveCastExport::Result frmExportPptx::run(const LiveCastExport::Request& request)
{
    m_request = request;
    m_result = LiveCastExport::Result();
    m_status.clear();
    progress()->reset();
    cancelButton()->setEnabled(true);
    m_timExport->start();
    exec();
    m_timExport->stop(); // closed before the export began
    return m_result;
}
