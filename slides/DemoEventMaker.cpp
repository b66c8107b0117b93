#include "slides/DemoEventMaker.h"

#include "document/EventDocument.h"
#include "document/EventFileWriter.h"
#include "document/ImageBlockCodec.h"
#include "document/PathHelpers.h"
#include "platform/PresentationApp.h"

#include <QDir>
#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>

namespace {

struct Talk
{
    const char* speaker;
    const char* title;
    QColor colour;
    int slides;
};

const Talk kTalks[] = {
    {"Ada Lovelace", "Notes on the Engine", QColor(32, 86, 160), 4},
    {"Grace Hopper", "Nanoseconds", QColor(150, 52, 40), 3},
    {"Alan Kay", "The Future, Invented", QColor(40, 120, 72), 5},
};

QImage card(const QSize& size, const QColor& colour, const QString& heading, const QString& line)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, size.height());
    gradient.setColorAt(0, colour.lighter(130));
    gradient.setColorAt(1, colour.darker(180));
    painter.fillRect(image.rect(), gradient);
    QFont font;
    font.setBold(true);
    font.setPixelSize(size.height() / 9);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QRect upper(0, 0, size.width(), size.height() * 3 / 5);
    painter.drawText(upper.adjusted(40, 0, -40, 0), Qt::AlignCenter | Qt::TextWordWrap, heading);
    font.setBold(false);
    font.setPixelSize(size.height() / 18);
    painter.setFont(font);
    const QRect lower(0, size.height() * 3 / 5, size.width(), size.height() * 2 / 5);
    painter.drawText(lower.adjusted(40, 0, -40, 0), Qt::AlignHCenter | Qt::AlignTop, line);
    return image;
}

// A square of its own colour on each slide, so that a look at the screen tells which slide is
// up: red, yellow, green, cyan, blue for slides 1 to 5, centred a tenth of the width from the left
// and 85 % of the height down. The end-to-end play script reads it.
void markSlide(QImage& image, int slide)
{
    QPainter painter(&image);
    const int side = image.height() / 8;
    const QPoint centre(image.width() / 10, image.height() * 85 / 100);
    painter.fillRect(QRect(centre - QPoint(side / 2, side / 2), QSize(side, side)),
                     QColor::fromHsv(((slide - 1) * 60) % 360, 255, 255));
}

QString buildTalk(PresentationApp& app, const Talk& talk, const QString& folder, QString* path)
{
    const QSize size(1280, 720);
    QStringList pictures;
    for (int n = 1; n <= talk.slides; ++n) {
        const QString heading = n == 1 ? QString::fromUtf8(talk.title)
                                       : QStringLiteral("%1 — part %2").arg(talk.title).arg(n - 1);
        const QString line = n == 1 ? QString::fromUtf8(talk.speaker)
                                    : QStringLiteral("Slide %1 of %2").arg(n).arg(talk.slides);
        pictures << folder + QStringLiteral("work/%1-%2.png").arg(talk.speaker).arg(n);
        QImage slide = card(size, talk.colour, heading, line);
        markSlide(slide, n);
        if (!slide.save(pictures.last()))
            return QStringLiteral("Could not write ") + pictures.last();
    }
    const auto built = app.buildFromPictures(pictures, PresentationApp::Visibility::Hidden);
    if (!built.ok())
        return built.error();
    *path = folder + QString::fromUtf8(talk.speaker) + QStringLiteral(".pptx");
    const PresentationStatus saved =
        built.value()->saveCopyAs(*path, PresentationDocument::FileFormat::Pptx);
    built.value()->close();
    return saved.ok() ? QString() : saved.error();
}

} // namespace

QString DemoEventMaker::make(PresentationApp& app, const QString& folder)
{
    const QString base = PathHelpers::withTrailingSlash(folder);
    if (QFileInfo::exists(base + EventName))
        return QString();
    if (!QDir().mkpath(base + QStringLiteral("work")))
        return QStringLiteral("Could not make ") + base;

    EventDocument doc;
    for (const Talk& talk : kTalks) {
        QString path;
        if (const QString error = buildTalk(app, talk, base, &path); !error.isEmpty())
            return error;
        SpeakerRecord speaker;
        speaker.Name = QString::fromUtf8(talk.speaker);
        speaker.FilePath = path;
        speaker.FileName = PathHelpers::FileNameOf(path);
        doc.Speakers.append(speaker);
    }
    doc.ImgHoldingFull = card(QSize(1920, 1080), QColor(24, 40, 72), QStringLiteral("Welcome"),
                              QStringLiteral("The next talk begins shortly"));
    doc.ImgHolding =
        doc.ImgHoldingFull.scaled(240, 135, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QString popUps[] = {QStringLiteral("Coffee break"), QStringLiteral("Questions?")};
    for (int slot = 0; slot < 2; ++slot) {
        PopUpSlot& popUp = doc.PopUps[size_t(slot)];
        popUp.Full = card(QSize(1920, 1080), QColor(90, 60, 130), popUps[slot], QString());
        popUp.Thumb = popUp.Full.scaled(240, 135, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        popUp.Name = popUps[slot];
    }
    doc.ImportDir = base;
    QDir(base + QStringLiteral("work")).removeRecursively();

    ImageBlockCodec codec;
    QString error;
    if (!EventFileWriter(codec).SaveFile(doc, base + EventName, false, &error))
        return error;
    return QString();
}
