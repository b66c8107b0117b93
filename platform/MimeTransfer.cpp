#include "platform/MimeTransfer.h"

#include "platform/DropFilesBlock.h"

#include <QImageReader>
#include <QMimeData>
#include <QUrl>

const QString MimeTransfer::UriListType = QStringLiteral("text/uri-list");
const QString MimeTransfer::GnomeCopiedFilesType = QStringLiteral("x-special/gnome-copied-files");
const QString MimeTransfer::DropFilesType = QStringLiteral("application/x-dropfiles");

namespace {

const QString QtImageType = QStringLiteral("application/x-qt-image");

QStringList localPaths(const QList<QUrl>& urls)
{
    QStringList paths;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        const QString host = url.host();
        // file://host/... names a file on another machine; only "localhost" is this one.
        if (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
            continue;
        const QString path = host.isEmpty() ? url.toLocalFile() : url.path();
        if (!path.isEmpty())
            paths.append(path);
    }
    return paths;
}

// "copy" or "cut" on the first line, then one address a line.
QStringList gnomeCopiedFiles(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty())
        return {};
    const QByteArray verb = lines.takeFirst().trimmed();
    if (verb != "copy" && verb != "cut")
        return {};
    QList<QUrl> urls;
    for (const QByteArray& line : lines) {
        const QByteArray address = line.trimmed();
        if (!address.isEmpty())
            urls.append(QUrl::fromEncoded(address, QUrl::StrictMode));
    }
    return localPaths(urls);
}

QImage decoded(const QByteArray& bytes, const char* format = nullptr)
{
    return bytes.isEmpty() ? QImage() : QImage::fromData(bytes, format);
}

} // namespace

QStringList MimeTransfer::fileList(const QMimeData* data)
{
    if (!data)
        return {};
    if (data->hasFormat(UriListType)) {
        const QStringList paths = localPaths(data->urls());
        if (!paths.isEmpty())
            return paths;
    }
    if (data->hasFormat(GnomeCopiedFilesType)) {
        const QStringList paths = gnomeCopiedFiles(data->data(GnomeCopiedFilesType));
        if (!paths.isEmpty())
            return paths;
    }
    if (data->hasFormat(DropFilesType))
        return DropFilesBlock::decode(data->data(DropFilesType));
    return {};
}

QImage MimeTransfer::picture(const QMimeData* data)
{
    if (!data)
        return {};
    if (data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        if (!image.isNull())
            return image;
    }
    const QStringList preferred = {QStringLiteral("image/png"), QStringLiteral("image/bmp")};
    for (const QString& type : preferred) {
        if (data->hasFormat(type)) {
            const QImage image = decoded(data->data(type));
            if (!image.isNull())
                return image;
        }
    }
    const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
    for (const QString& type : data->formats()) {
        if (preferred.contains(type) || type == QtImageType || !readable.contains(type.toLatin1()))
            continue;
        const QImage image = decoded(data->data(type));
        if (!image.isNull())
            return image;
    }
    return {};
}

void MimeTransfer::putFileList(QMimeData* data, const QStringList& paths)
{
    if (!data)
        return;
    QList<QUrl> urls;
    QByteArray copied("copy");
    for (const QString& path : paths) {
        const QUrl url = QUrl::fromLocalFile(path);
        urls.append(url);
        copied += '\n' + url.toEncoded();
    }
    data->setUrls(urls);
    data->setData(GnomeCopiedFilesType, copied);
    data->setData(DropFilesType, DropFilesBlock::encode(paths));
}

void MimeTransfer::putPicture(QMimeData* data, const QImage& picture)
{
    if (!data || picture.isNull())
        return;
    data->setImageData(picture);
}
