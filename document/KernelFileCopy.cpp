#include "document/KernelFileCopy.h"

#include <QFileDevice>

#include <cerrno>
#include <cstring>

#include <unistd.h>

KernelFileCopy::Result KernelFileCopy::copy(QFileDevice& from, QFileDevice& to, qint64 count,
                                            qint64* copied, QString* error)
{
    *copied = 0;
    // Anything still in Qt's write buffer belongs before the copied bytes.
    if (from.handle() < 0 || to.handle() < 0 || from.isSequential() || to.isSequential() ||
        !to.flush())
        return Result::Unsupported;
    loff_t in = from.pos();
    loff_t out = to.pos();
    ssize_t n;
    do {
        n = ::copy_file_range(from.handle(), &in, to.handle(), &out, size_t(count), 0);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        // Other file systems, or kernels without the call: the caller copies by hand.
        if (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL ||
            errno == EBADF)
            return Result::Unsupported;
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return Result::Failed;
    }
    // The offsets were passed explicitly; Qt's idea of both positions follows them here.
    if (!from.seek(in) || !to.seek(out)) {
        *error = to.errorString();
        return Result::Failed;
    }
    *copied = n;
    return Result::Copied;
}
