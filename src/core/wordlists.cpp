// SPDX-License-Identifier: MIT
#include "wordlists.h"

#include <QFile>

namespace quibo {

QStringList loadCandidateWords(const QString& path) {
    QStringList words;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return words;
    words.reserve(8000);
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (!line.isEmpty()) words.append(QString::fromLatin1(line));
    }
    return words;
}

} // namespace quibo
