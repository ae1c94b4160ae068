// SPDX-License-Identifier: MIT
// Recognising links in chat text and deciding which of them may be opened.
//
// Chat text comes from strangers, so a recognised link is only opened when it is a web or mail
// link; the other kinds are shown as links but never handed to the desktop.
#pragma once

#include <QString>
#include <QUrl>
#include <optional>

namespace quibo {

// The link inside one blank-delimited word: from the first known prefix found to the end of the
// word, with trailing characters dropped until the last is "/", a digit or a letter. No link when
// no prefix occurs or nothing follows it.
std::optional<QString> findLinkInWord(const QString& word);

// The address to open for a link, or nothing when the link is of a kind that is not opened.
// "www." links are opened as http.
std::optional<QUrl> openableLinkUrl(const QString& link);

} // namespace quibo
