#pragma once

#include <QImage>
#include <QStringList>

class QMimeData;

// File lists and pictures as they travel in drops and on the clipboard. File lists come in the
// forms the desktop's file managers exchange ("text/uri-list" and GNOME's
// "x-special/gnome-copied-files") and as the Windows file-drop block; pictures in the image
// types Qt offers. Every function accepts a null pointer as "nothing there".
class MimeTransfer
{
public:
    static const QString UriListType;
    static const QString GnomeCopiedFilesType;
    static const QString DropFilesType;

    // Local paths in the order given, from the first form that names any; remote addresses are
    // left out.
    static QStringList fileList(const QMimeData* data);
    static bool hasFileList(const QMimeData* data) { return !fileList(data).isEmpty(); }

    // The first picture that decodes: Qt's own image, then PNG, then BMP, then any other image
    // type Qt can read. A null image when there is none.
    static QImage picture(const QMimeData* data);
    static bool hasPicture(const QMimeData* data) { return !picture(data).isNull(); }

    // All three file-list forms, marked as a copy (never a cut: the files stay where they are).
    static void putFileList(QMimeData* data, const QStringList& paths);
    static void putPicture(QMimeData* data, const QImage& picture);
};
