// SPDX-License-Identifier: MIT
// Files that another party controls, read without trusting what their name stands for: a word list
// the operator names, the WordNet database, a word file found in the working directory. The file is
// opened first and then checked on the open descriptor, so that a name swapped between a check and
// the open cannot bring in a FIFO, a device or an endless file. Only regular files up to a bound are
// accepted (a FIFO would stall the reader, /dev/zero would never end), and reading never takes more
// than the bound and one byte, even when the file grows meanwhile. Nothing is mapped into memory:
// another process may shrink a file at any time, and a read then comes back short instead of the
// reader dying on a page that is gone.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <optional>

namespace quibo {

// Largest word list or database file read: far above the real ones (the largest WordNet file has
// 15 MB, the large word list 3 MB).
inline constexpr qint64 maxReadFileSize = 64 * 1024 * 1024;

enum class LinkPolicy { Follow, Refuse };

// Opens path for reading when it is a regular file of at most limit bytes. Otherwise answers false
// and sets fault to why, worded to follow the file's name: "is not a regular file", "is larger than
// 64 MiB", "is a symbolic link" (with LinkPolicy::Refuse) or "cannot be read: " and the system's
// reason. fault stays empty when there is no such file.
bool openBoundedFile(QFile& file, const QString& path, qint64 limit, QString& fault,
                     LinkPolicy links = LinkPolicy::Follow);

// The rest of a file opened by openBoundedFile, at most limit bytes; nothing, with fault set, when
// it has grown past the limit meanwhile or a read fails.
std::optional<QByteArray> readBounded(QFile& file, qint64 limit, QString& fault);

// openBoundedFile and readBounded in one.
std::optional<QByteArray> readBoundedFile(const QString& path, qint64 limit, QString& fault,
                                          LinkPolicy links = LinkPolicy::Follow);

// Up to length bytes of an open file from offset, without moving its position where the system
// allows it; fewer when the file ends sooner (or was cut meanwhile), empty on an error.
QByteArray readFileAt(QFile& file, qint64 offset, qint64 length);

// "64 MiB" for a whole number of MiB, else the number of bytes.
QString fileSizeText(qint64 bytes);

} // namespace quibo
