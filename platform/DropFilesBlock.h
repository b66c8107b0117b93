#pragma once

#include <QByteArray>
#include <QStringList>

// The file-drop block that Windows programs put on the clipboard and in drags: a 20-byte header
// (five little-endian 32-bit fields: list offset, drop point x and y, non-client flag, wide flag)
// and then the full paths, each ending with a NUL, with one more NUL after the last. Offered
// here under the MIME type "application/x-dropfiles" beside the desktop's own file lists.
class DropFilesBlock
{
public:
    static constexpr int HeaderBytes = 20;

    // Header with list offset 20 and every other field 0, then 8-bit names (UTF-8, the file-name
    // encoding of this system).
    static QByteArray encode(const QStringList& paths);

    // The paths of a block written by any program: the list starts at the header's offset; wide
    // flag 1 means 16-bit little-endian characters, anything else 8-bit ones. Paths are taken up
    // to the first empty one. A block too short for its header, an offset outside the block and
    // a last path without its terminating NUL (a cut-off block) give no paths for that part.
    static QStringList decode(const QByteArray& block);
};
