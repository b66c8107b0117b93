#include "setup/QuickLaunchProperties.h"

#include "document/FileKind.h"
#include "document/PathHelpers.h"
#include "platform/PresentationApp.h"
#include "platform/PresentationDocument.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// A two-character part of the delay text as a number; anything but digits (and the spaces
// around them) counts as 0, so the delay is never negative.
int partValue(const QString& part)
{
    const QString digits = part.trimmed();
    if (digits.isEmpty())
        return 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    }
    return digits.toInt();
}

} // namespace

QuickLaunchProperties::QuickLaunchProperties(PresentationApp& presentations, QObject* parent)
    : QObject(parent), m_presentations(presentations)
{}

QuickLaunchProperties::~QuickLaunchProperties()
{
    release();
}

QString QuickLaunchProperties::delayText(int seconds)
{
    seconds = std::max(seconds, 0);
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

int QuickLaunchProperties::delaySeconds(const QString& text)
{
    return 60 * partValue(text.left(2)) + partValue(text.right(2));
}

void QuickLaunchProperties::load(const QString& path)
{
    release();
    m_fields = Fields();
    m_cancelled = false;
    m_fields.isShow = fileKindOf(path) != FileKind::Presentation;
    m_fields.fileName = PathHelpers::FileNameOf(path);
    const QFileInfo info(path);
    if (!info.isFile()) {
        emit loaded();
        return;
    }
    m_fields.sizeText = QString::number(info.size()) + QStringLiteral(" bytes");
    m_fields.location = path;

    struct Read
    {
        DocumentPtr document;
        std::optional<SlideShowOptions> options;
    };
    m_loading = true;
    m_jobs.start<Read>(
        [&app = m_presentations, path](const JobRunner::Control&) {
            Read read;
            const auto opened = app.open(path, PresentationApp::Visibility::Hidden);
            if (!opened.ok())
                return read;
            read.document = opened.value();
            const auto options = read.document->showOptions();
            if (options.ok())
                read.options = options.value();
            return read;
        },
        [this](Read read) {
            m_loading = false;
            m_document = std::move(read.document);
            if (m_cancelled) {
                release();
                return;
            }
            if (read.options) {
                m_fields.loop = read.options->loopUntilStopped;
                const auto& slides = read.options->slides;
                // Slide 1 stands for the whole show: the window sets every slide alike.
                if (!slides.isEmpty() && slides.first().onTime) {
                    m_fields.advance = true;
                    m_fields.delayText = delayText(slides.first().advanceTimeS);
                    m_fields.delayS = delaySeconds(m_fields.delayText);
                }
            }
            emit loaded();
        });
}

void QuickLaunchProperties::ok(bool loop, bool advance, const QString& delayText)
{
    if (!m_document) {
        emit saved(PresentationStatus::failure(QStringLiteral("The presentation is not open")));
        return;
    }
    m_jobs.start<PresentationStatus>(
        [document = std::exchange(m_document, nullptr), loop, advance,
         delayText](const JobRunner::Control&) {
            const auto read = document->showOptions();
            if (!read.ok()) {
                document->close();
                return PresentationStatus::failure(read.error());
            }
            SlideShowOptions options = read.value();
            options.loopUntilStopped = loop;
            if (advance) {
                options.advanceMode = SlideShowOptions::AdvanceMode::SlideTimings;
                const int count = document->slideCount().valueOr(int(options.slides.size()));
                options.slides.resize(count);
                const int delayS = delaySeconds(delayText);
                for (SlideShowOptions::SlideAdvance& slide : options.slides)
                    slide = {true, delayS};
            } else {
                options.advanceMode = SlideShowOptions::AdvanceMode::Manual;
            }
            PresentationStatus status = document->setShowOptions(options);
            if (status.ok())
                status = document->save();
            document->close();
            return status;
        },
        [this](PresentationStatus status) { emit saved(status); });
}

void QuickLaunchProperties::cancel()
{
    if (m_loading)
        m_cancelled = true;
    release();
}

void QuickLaunchProperties::release()
{
    if (!m_document)
        return;
    m_jobs.start([document = std::exchange(m_document, nullptr)](const JobRunner::Control&) {
        document->close();
    });
}
