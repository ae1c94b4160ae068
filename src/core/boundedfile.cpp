// SPDX-License-Identifier: MIT
#include "boundedfile.h"

#include <QFileInfo>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quibo {

namespace {

constexpr qint64 mebibyte = 1024 * 1024;
// Read in pieces, so that a file announced small but grown meanwhile costs no more than it holds.
constexpr qint64 readPiece = 4 * mebibyte;

QString tooLarge(qint64 limit) {
    return QStringLiteral("is larger than %1").arg(fileSizeText(limit));
}

} // namespace

QString fileSizeText(qint64 bytes) {
    if (bytes > 0 && bytes % mebibyte == 0) return QStringLiteral("%1 MiB").arg(bytes / mebibyte);
    return QStringLiteral("%1 bytes").arg(bytes);
}

bool openBoundedFile(QFile& file, const QString& path, qint64 limit, QString& fault, LinkPolicy links) {
    fault.clear();
#ifdef Q_OS_UNIX
    // O_NONBLOCK: a FIFO under the name must not stall the open; it is refused just below.
    int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
    if (links == LinkPolicy::Refuse) flags |= O_NOFOLLOW;
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0) {
        if (errno == ELOOP && links == LinkPolicy::Refuse)
            fault = QStringLiteral("is a symbolic link");
        else if (errno != ENOENT && errno != ENOTDIR)
            fault = QStringLiteral("cannot be read: ") + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        fault = QStringLiteral("is not a regular file");
        return false;
    }
    if (info.st_size > limit) {
        ::close(fd);
        fault = tooLarge(limit);
        return false;
    }
    if (file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) return true;
    ::close(fd);
    fault = QStringLiteral("cannot be read: ") + file.errorString();
    return false;
#else
    const QFileInfo info(path);
    if (links == LinkPolicy::Refuse && info.isSymLink())
        fault = QStringLiteral("is a symbolic link");
    else if (info.exists() && !info.isFile())
        fault = QStringLiteral("is not a regular file");
    if (!fault.isEmpty() || !info.exists()) return false;
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        fault = QStringLiteral("cannot be read: ") + file.errorString();
        return false;
    }
    if (file.size() > limit) {
        file.close();
        fault = tooLarge(limit);
        return false;
    }
    return true;
#endif
}

std::optional<QByteArray> readBounded(QFile& file, qint64 limit, QString& fault) {
    QByteArray bytes;
    bytes.reserve(qsizetype(std::clamp<qint64>(file.size() - file.pos(), 0, limit)));
    // One byte past the limit tells a file that grew past it from one that ends there.
    while (bytes.size() <= limit) {
        const qint64 wanted = std::min(readPiece, limit + 1 - qint64(bytes.size()));
        const qsizetype before = bytes.size();
        bytes.resize(before + qsizetype(wanted));
        const qint64 got = file.read(bytes.data() + before, wanted);
        if (got < 0) {
            fault = QStringLiteral("cannot be read: ") + file.errorString();
            return std::nullopt;
        }
        bytes.resize(before + qsizetype(got));
        if (got == 0) break;
    }
    if (bytes.size() > limit) {
        fault = tooLarge(limit);
        return std::nullopt;
    }
    return bytes;
}

std::optional<QByteArray> readBoundedFile(const QString& path, qint64 limit, QString& fault,
                                          LinkPolicy links) {
    QFile file;
    if (!openBoundedFile(file, path, limit, fault, links)) {
        if (fault.isEmpty()) fault = QStringLiteral("does not exist");
        return std::nullopt;
    }
    return readBounded(file, limit, fault);
}

QByteArray readFileAt(QFile& file, qint64 offset, qint64 length) {
    QByteArray bytes;
    if (offset < 0 || length <= 0) return bytes;
    bytes.resize(qsizetype(length));
    qint64 got = 0;
#ifdef Q_OS_UNIX
    while (got < length) {
        const ssize_t n =
            ::pread(file.handle(), bytes.data() + got, size_t(length - got), off_t(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return QByteArray();
        if (n == 0) break;
        got += n;
    }
#else
    if (!file.seek(offset)) return QByteArray();
    got = std::max<qint64>(file.read(bytes.data(), length), 0);
#endif
    bytes.resize(qsizetype(got));
    return bytes;
}

} // namespace quibo
