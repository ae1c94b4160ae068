// SPDX-License-Identifier: MIT
#include "wordmeanings.h"

#include "boundedfile.h"
#include "wordnetlines.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <algorithm>

namespace quibo {

Q_LOGGING_CATEGORY(lcMeanings, "quibo.meanings")

namespace {

constexpr std::array<PartOfSpeech, 4> partsInOrder = {PartOfSpeech::Noun, PartOfSpeech::Verb,
                                                      PartOfSpeech::Adjective, PartOfSpeech::Adverb};

// The file name part of each part of speech ("index.noun", "noun.exc").
constexpr std::array<const char*, 4> fileSuffixes = {"noun", "verb", "adj", "adv"};

// Exception lists are small (under 40 KB); a larger file is not one.
constexpr qint64 maxExceptionFileSize = 1024 * 1024;

// Base forms kept for one irregular form; the real lists give at most three. Each is looked up in
// the index on every question, and a list repeating one form on every line must not make that (or
// the reading, which drops repeats) grow with the file.
constexpr qsizetype maxBaseFormsPerException = 16;

// What is read of a data line at first; the real ones average 180 bytes.
constexpr qint64 firstDataRead = 2048;

// Longest word looked up; the longest lemma in the database has 71 bytes.
constexpr qsizetype maxLemmaLength = 128;

struct SuffixRule {
    const char* ending;
    const char* replacement;
};

// WordNet's rules of detachment, in its order. Adverbs have none.
constexpr SuffixRule nounRules[] = {{"s", ""},      {"ses", "s"},   {"xes", "x"},   {"zes", "z"},
                                    {"ches", "ch"}, {"shes", "sh"}, {"men", "man"}, {"ies", "y"}};
constexpr SuffixRule verbRules[] = {{"s", ""},   {"ies", "y"}, {"es", "e"},  {"es", ""},
                                    {"ed", "e"}, {"ed", ""},   {"ing", "e"}, {"ing", ""}};
constexpr SuffixRule adjectiveRules[] = {{"er", ""}, {"est", ""}, {"er", "e"}, {"est", "e"}};

int indexOf(PartOfSpeech pos) {
    return static_cast<int>(pos);
}

// Lower case, spaces as "_"; empty when the text cannot be a lemma.
QByteArray lemmaKey(QByteArrayView word) {
    const QByteArrayView trimmed = word.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > maxLemmaLength) return {};
    QByteArray key;
    key.reserve(trimmed.size());
    for (const char c : trimmed) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return {};
        key.append(c == ' ' ? '_' : (c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c));
    }
    return key;
}

bool synsetTypeFits(char type, PartOfSpeech pos) {
    switch (pos) {
    case PartOfSpeech::Noun:
        return type == 'n';
    case PartOfSpeech::Verb:
        return type == 'v';
    case PartOfSpeech::Adjective:
        return type == 'a' || type == 's';
    case PartOfSpeech::Adverb:
        return type == 'r';
    }
    return false;
}

// Says why a database file that is there is not used.
void warnUnused(const QString& path, const QString& fault) {
    if (!fault.isEmpty()) qCWarning(lcMeanings).noquote() << path << fault << "- it is not used";
}

// A whole database file of at most limit bytes; nullopt (and a warning) for one that is not used.
std::optional<QByteArray> readWholeFile(const QString& path, qint64 limit) {
    QFile file;
    QString fault;
    std::optional<QByteArray> bytes;
    if (openBoundedFile(file, path, limit, fault)) bytes = readBounded(file, limit, fault);
    warnUnused(path, fault);
    return bytes;
}

// An exception list: each irregular form with its base forms, in the file's order.
QHash<QByteArray, QList<QByteArray>> readExceptions(const QString& path) {
    QHash<QByteArray, QList<QByteArray>> exceptions;
    std::optional<QByteArray> read = readWholeFile(path, maxExceptionFileSize);
    if (!read) return exceptions;
    const QByteArray text = *std::move(read);
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0) end = text.size();
        const std::optional<WordNetExceptionLine> entry =
            parseWordNetExceptionLine(QByteArrayView(text).sliced(start, end - start));
        start = end + 1;
        if (!entry) continue;
        QList<QByteArray>& bases = exceptions[entry->inflected.toByteArray()];
        for (const QByteArrayView base : entry->baseForms)
            if (bases.size() < maxBaseFormsPerException && !bases.contains(base))
                bases.append(base.toByteArray());
    }
    return exceptions;
}

} // namespace

const char* partOfSpeechName(PartOfSpeech pos) {
    switch (pos) {
    case PartOfSpeech::Noun:
        return "noun";
    case PartOfSpeech::Verb:
        return "verb";
    case PartOfSpeech::Adjective:
        return "adjective";
    case PartOfSpeech::Adverb:
        return "adverb";
    }
    return "";
}

QString senseLine(const WordSense& sense, QByteArrayView askedWord) {
    QString line = QString::fromLatin1(partOfSpeechName(sense.partOfSpeech));
    if (sense.lemma != lemmaKey(askedWord))
        line += QStringLiteral(" (") + QString::fromUtf8(sense.lemma).replace(u'_', u' ') + u')';
    return line + QStringLiteral(": ") + QString::fromUtf8(sense.definition);
}

QList<QByteArray> suffixRuleForms(QByteArrayView word, PartOfSpeech pos) {
    const auto apply = [word](const auto& rules) {
        QList<QByteArray> forms;
        for (const SuffixRule& rule : rules) {
            const QByteArrayView ending(rule.ending);
            if (word.size() <= ending.size() || !word.endsWith(ending)) continue;
            QByteArray form = word.first(word.size() - ending.size()).toByteArray() + rule.replacement;
            if (!forms.contains(form)) forms.append(std::move(form));
        }
        return forms;
    };
    switch (pos) {
    case PartOfSpeech::Noun:
        return apply(nounRules);
    case PartOfSpeech::Verb:
        return apply(verbRules);
    case PartOfSpeech::Adjective:
        return apply(adjectiveRules);
    case PartOfSpeech::Adverb:
        return {};
    }
    return {};
}

struct WordMeanings::Part {
    // The whole index, up to its last newline: searched often, and small.
    QByteArray index;
    // The data file stays on disk and each synset is read at its offset; dataEnd is where its last
    // whole line ends.
    QFile dataFile;
    qint64 dataEnd = 0;
    QHash<QByteArray, QList<QByteArray>> exceptions;

    bool usable() const { return !index.isEmpty() && dataEnd > 0; }
};

WordMeanings::WordMeanings(QString folder)
    : m_folder(std::move(folder)) {}

WordMeanings::~WordMeanings() = default;

QString WordMeanings::standardFolder() {
    const QString chosen = qEnvironmentVariable("WNSEARCHDIR");
    if (!chosen.isEmpty()) return chosen;
    QStringList candidates;
    if (const QString home = qEnvironmentVariable("WNHOME"); !home.isEmpty())
        candidates << home + QStringLiteral("/dict");
    candidates << QStringLiteral("/usr/share/wordnet") << QStringLiteral("/usr/local/share/wordnet");
    for (const QString& folder : candidates)
        if (QFileInfo::exists(folder + QStringLiteral("/index.noun"))) return folder;
    return candidates.constLast();
}

void WordMeanings::open() {
    if (m_opened) return;
    m_opened = true;
    if (m_folder.isEmpty()) m_folder = standardFolder();
    const QDir dir(m_folder);
    // Every line of the real files ends in a newline, so bytes after the last one are a line cut
    // short (a truncated copy or download): they are left out rather than read as a whole line.
    const auto readIndex = [](const QString& path) {
        std::optional<QByteArray> bytes = readWholeFile(path, maxReadFileSize);
        if (!bytes) return QByteArray();
        bytes->truncate(bytes->lastIndexOf('\n') + 1);
        bytes->squeeze();
        return *std::move(bytes);
    };
    const auto openData = [](QFile& file, const QString& path) -> qint64 {
        QString fault;
        if (!openBoundedFile(file, path, maxReadFileSize, fault)) {
            warnUnused(path, fault);
            return 0;
        }
        // Back from the end, a piece at a time, to the last newline.
        for (qint64 end = file.size(); end > 0;) {
            const qint64 start = std::max<qint64>(0, end - maxWordNetLineLength);
            const QByteArray piece = readFileAt(file, start, end - start);
            if (piece.size() != end - start) return 0;
            if (const qsizetype newline = piece.lastIndexOf('\n'); newline >= 0) return start + newline + 1;
            end = start;
        }
        return 0;
    };
    for (const PartOfSpeech pos : partsInOrder) {
        auto part = std::make_unique<Part>();
        const QString suffix = QString::fromLatin1(fileSuffixes[size_t(indexOf(pos))]);
        part->index = readIndex(dir.filePath(QStringLiteral("index.") + suffix));
        part->dataEnd = openData(part->dataFile, dir.filePath(QStringLiteral("data.") + suffix));

        part->exceptions = readExceptions(dir.filePath(suffix + QStringLiteral(".exc")));
        m_parts[size_t(indexOf(pos))] = std::move(part);
    }
}

bool WordMeanings::isInstalled() {
    open();
    return std::any_of(m_parts.begin(), m_parts.end(), [](const auto& part) { return part->usable(); });
}

QByteArrayView WordMeanings::indexLine(const Part& part, QByteArrayView lemma) const {
    // The index is sorted by lemma in byte order; the licence lines at its head start with spaces
    // and so sort first. In a sound file lo and hi always sit at line starts and the wanted line, if
    // any, starts in [lo, hi). A probe looks no further than maxWordNetLineLength either side of mid,
    // so a damaged file with endless lines costs little and the search still ends: lo passes mid, or
    // hi falls to at most mid.
    const QByteArrayView index(part.index);
    qsizetype lo = 0;
    qsizetype hi = index.size();
    while (lo < hi) {
        const qsizetype mid = lo + (hi - lo) / 2;
        const qsizetype furthestBack = std::max(lo, mid - maxWordNetLineLength);
        qsizetype start = mid;
        while (start > furthestBack && index[start - 1] != '\n')
            --start;
        const QByteArrayView ahead = index.sliced(mid, std::min(index.size() - mid, maxWordNetLineLength));
        const qsizetype newline = ahead.indexOf('\n');
        const qsizetype end = mid + (newline < 0 ? ahead.size() : newline);
        const QByteArrayView line = index.sliced(start, end - start);
        const int order = wordNetIndexKey(line).compare(lemma);
        if (order == 0) return line;
        if (order < 0)
            lo = end + 1;
        else
            hi = start;
    }
    return {};
}

QByteArray WordMeanings::dataLine(Part& part, quint32 offset) const {
    if (qint64(offset) >= part.dataEnd) return {};
    // A line ends before dataEnd, and a sound one within maxWordNetLineLength. Most are short, so a
    // small first read nearly always holds the whole line.
    const qint64 available = std::min<qint64>(part.dataEnd - offset, maxWordNetLineLength + 1);
    QByteArray rest = readFileAt(part.dataFile, offset, std::min<qint64>(available, firstDataRead));
    qsizetype end = rest.indexOf('\n');
    if (end < 0 && rest.size() < available && rest.size() == firstDataRead) {
        rest = readFileAt(part.dataFile, offset, available);
        end = rest.indexOf('\n');
    }
    // No newline where one must be: the line is too long, or the file was cut since it was opened.
    if (end < 0) return {};
    rest.truncate(end);
    return rest;
}

QList<WordMeanings::IndexedForm> WordMeanings::indexedForms(const QByteArray& key, PartOfSpeech pos) const {
    const Part& part = *m_parts[size_t(indexOf(pos))];
    if (key.isEmpty() || !part.usable()) return {};
    QList<IndexedForm> forms;
    const auto keepIfIndexed = [&](const QByteArray& form, bool asGiven) {
        if (std::any_of(forms.cbegin(), forms.cend(),
                        [&form](const IndexedForm& f) { return f.form == form; }))
            return;
        if (const QByteArrayView line = indexLine(part, form); !line.isEmpty())
            forms.append({form, line, asGiven});
    };
    keepIfIndexed(key, true);
    const auto listed = part.exceptions.constFind(key);
    if (listed != part.exceptions.cend()) {
        for (const QByteArray& base : *listed)
            keepIfIndexed(base, true);
    } else {
        for (const QByteArray& form : suffixRuleForms(key, pos))
            keepIfIndexed(form, false);
    }
    return forms;
}

QList<QByteArray> WordMeanings::baseForms(QByteArrayView word, PartOfSpeech pos) {
    open();
    QList<QByteArray> forms;
    for (const IndexedForm& f : indexedForms(lemmaKey(word), pos))
        forms.append(f.form);
    return forms;
}

QList<WordSense> WordMeanings::senses(QByteArrayView word, int limit) {
    open();
    const QByteArray key = lemmaKey(word);
    if (key.isEmpty()) return {};

    // The word as given and its listed irregular bases come first; forms made by stripping a suffix
    // only after them ("was" means "be" before it means "wa").
    struct Candidate {
        QByteArray lemma;
        quint32 offset;
    };
    std::array<std::array<QList<Candidate>, 4>, 2> tiers;
    for (const PartOfSpeech pos : partsInOrder) {
        QList<quint32> seen;
        for (const IndexedForm& form : indexedForms(key, pos)) {
            const std::optional<WordNetIndexLine> entry = parseWordNetIndexLine(form.line);
            if (!entry) continue;
            for (const quint32 offset : entry->offsets) {
                if (seen.contains(offset)) continue;
                seen.append(offset);
                tiers[form.asGiven ? 0 : 1][size_t(indexOf(pos))].append({form.form, offset});
            }
        }
    }

    QList<WordSense> found;
    qsizetype taken = 0;
    const auto full = [&] { return limit > 0 && taken >= limit; };
    for (const auto& tier : tiers) {
        // Each part of speech gets its next sense in turn, so that a long noun entry does not hide
        // the verb; they are then listed part by part.
        std::array<QList<WordSense>, 4> byPart;
        for (qsizetype round = 0; !full(); ++round) {
            bool more = false;
            for (size_t p = 0; p < tier.size() && !full(); ++p) {
                if (round >= tier[p].size()) continue;
                more = true;
                const Candidate& c = tier[p][round];
                const QByteArray line = dataLine(*m_parts[p], c.offset);
                const std::optional<WordNetDataLine> synset = parseWordNetDataLine(line);
                const PartOfSpeech pos = partsInOrder[p];
                if (!synset || synset->offset != c.offset || !synsetTypeFits(synset->synsetType, pos))
                    continue;
                QByteArray definition = definitionOfGloss(synset->gloss).toByteArray();
                if (definition.size() > maxDefinitionLength) {
                    // Cut before a character, not inside one: UTF-8 continuation bytes are 10xxxxxx.
                    qsizetype cut = maxDefinitionLength - 3;
                    while (cut > 0 && (static_cast<unsigned char>(definition[cut]) & 0xC0) == 0x80)
                        --cut;
                    definition = definition.first(cut) + "...";
                }
                byPart[p].append({pos, c.lemma, definition});
                ++taken;
            }
            if (!more) break;
        }
        for (const QList<WordSense>& senses : byPart)
            found += senses;
    }
    return found;
}

} // namespace quibo
