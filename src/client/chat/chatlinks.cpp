// SPDX-License-Identifier: MIT
#include "chatlinks.h"

#include <array>

namespace quibo {
namespace {

// Searched in this order; the first prefix found in the word wins. "https://" is listed beside
// "http://" because the latter is not a substring of the former.
constexpr std::array linkPrefixes{"http://",   "https://", "ftp://",  "file://", "gopher://",
                                  "telnet://", "news:",    "mailto:", "www."};

// Kinds that are opened with the desktop's handler.
constexpr std::array openablePrefixes{"http://", "https://", "ftp://", "mailto:", "www."};

bool endsLink(QChar c) {
    const QChar lower = c.toLower();
    return lower == u'/' || (lower >= u'0' && lower <= u'9') || (lower >= u'a' && lower <= u'z');
}

} // namespace

std::optional<QString> findLinkInWord(const QString& word) {
    const QString lower = word.toLower();
    for (const char* prefix : linkPrefixes) {
        const qsizetype at = lower.indexOf(QLatin1String(prefix));
        if (at < 0) continue;
        QString link = word.mid(at);
        while (!link.isEmpty() && !endsLink(link.back()))
            link.chop(1);
        if (link.size() > qsizetype(qstrlen(prefix))) return link;
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<QUrl> openableLinkUrl(const QString& link) {
    const QString lower = link.toLower();
    for (const char* prefix : openablePrefixes) {
        if (!lower.startsWith(QLatin1String(prefix))) continue;
        const QString text =
            lower.startsWith(QLatin1String("www.")) ? QStringLiteral("http://") + link : link;
        const QUrl url(text, QUrl::StrictMode);
        if (url.isValid()) return url;
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace quibo
