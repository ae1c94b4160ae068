// SPDX-License-Identifier: MIT
#include "wordnetlines.h"

namespace quibo {

namespace {

// Bounds far above anything the real database holds, so that a damaged count cannot ask for much.
constexpr qsizetype maxSynsetsPerLemma = 1000;
constexpr qsizetype maxWordsPerSynset = 255;
constexpr qsizetype maxPointers = 5000;

// Walks the space-separated fields of one line.
class Fields {
public:
    explicit Fields(QByteArrayView line)
        : m_rest(line) {}

    // The next field; empty at the end of the line. Runs of spaces count as one separator.
    QByteArrayView next() {
        qsizetype start = 0;
        while (start < m_rest.size() && m_rest[start] == ' ')
            ++start;
        qsizetype end = start;
        while (end < m_rest.size() && m_rest[end] != ' ')
            ++end;
        const QByteArrayView field = m_rest.sliced(start, end - start);
        m_rest = m_rest.sliced(end);
        return field;
    }

    QByteArrayView rest() const { return m_rest; }

private:
    QByteArrayView m_rest;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A decimal number of 1 to 9 digits (exactly width digits when width > 0).
std::optional<quint32> decimal(QByteArrayView field, qsizetype width = 0) {
    if (field.isEmpty() || field.size() > 9 || (width > 0 && field.size() != width)) return std::nullopt;
    quint32 value = 0;
    for (const char c : field) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + quint32(c - '0');
    }
    return value;
}

std::optional<quint32> hexadecimal(QByteArrayView field, qsizetype width) {
    if (field.size() != width) return std::nullopt;
    quint32 value = 0;
    for (const char c : field) {
        const int digit = hexValue(c);
        if (digit < 0) return std::nullopt;
        value = value * 16 + quint32(digit);
    }
    return value;
}

bool isPartOfSpeech(QByteArrayView field) {
    return field.size() == 1 && (field[0] == 'n' || field[0] == 'v' || field[0] == 'a' || field[0] == 'r');
}

bool isPrintable(QByteArrayView text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

// Within the length bound and free of control bytes; every parser refuses any other line whole.
bool isReadableLine(QByteArrayView line) {
    return line.size() <= maxWordNetLineLength && isPrintable(line);
}

QByteArrayView withoutLineEnd(QByteArrayView line) {
    while (!line.isEmpty() && (line.back() == '\n' || line.back() == '\r'))
        line.chop(1);
    return line;
}

} // namespace

QByteArrayView wordNetIndexKey(QByteArrayView line) {
    const qsizetype space = line.indexOf(' ');
    return space < 0 ? withoutLineEnd(line) : line.first(space);
}

std::optional<WordNetIndexLine> parseWordNetIndexLine(QByteArrayView line) {
    line = withoutLineEnd(line);
    if (!isReadableLine(line)) return std::nullopt;
    Fields fields(line);
    WordNetIndexLine result;
    result.lemma = fields.next();
    if (result.lemma.isEmpty() || line.front() == ' ') return std::nullopt;
    const QByteArrayView pos = fields.next();
    if (!isPartOfSpeech(pos)) return std::nullopt;
    result.partOfSpeech = pos[0];
    const std::optional<quint32> synsets = decimal(fields.next());
    const std::optional<quint32> pointerKinds = decimal(fields.next());
    if (!synsets || *synsets == 0 || *synsets > maxSynsetsPerLemma || !pointerKinds ||
        *pointerKinds > maxPointers)
        return std::nullopt;
    for (quint32 i = 0; i < *pointerKinds; ++i)
        if (fields.next().isEmpty()) return std::nullopt;
    const std::optional<quint32> senses = decimal(fields.next());
    const std::optional<quint32> tagged = decimal(fields.next());
    if (!senses || *senses != *synsets || !tagged || *tagged > *senses) return std::nullopt;
    result.offsets.reserve(*synsets);
    for (quint32 i = 0; i < *synsets; ++i) {
        const std::optional<quint32> offset = decimal(fields.next(), 8);
        if (!offset) return std::nullopt;
        result.offsets.append(*offset);
    }
    if (!fields.next().isEmpty()) return std::nullopt;
    return result;
}

std::optional<WordNetDataLine> parseWordNetDataLine(QByteArrayView line) {
    line = withoutLineEnd(line);
    if (!isReadableLine(line)) return std::nullopt;
    Fields fields(line);
    WordNetDataLine result;
    const std::optional<quint32> offset = decimal(fields.next(), 8);
    if (!offset || !decimal(fields.next(), 2)) return std::nullopt;
    result.offset = *offset;
    const QByteArrayView type = fields.next();
    if (type.size() != 1 || !QByteArrayView("nvasr").contains(type[0])) return std::nullopt;
    result.synsetType = type[0];
    const std::optional<quint32> wordCount = hexadecimal(fields.next(), 2);
    if (!wordCount || *wordCount == 0 || *wordCount > maxWordsPerSynset) return std::nullopt;
    for (quint32 i = 0; i < *wordCount; ++i) {
        const QByteArrayView word = fields.next();
        const QByteArrayView lexId = fields.next();
        if (word.isEmpty() || word == "|" || lexId.size() != 1 || hexValue(lexId[0]) < 0) return std::nullopt;
        result.words.append(word);
    }
    const std::optional<quint32> pointers = decimal(fields.next(), 3);
    if (!pointers) return std::nullopt;
    for (quint32 i = 0; i < *pointers; ++i) {
        const QByteArrayView symbol = fields.next();
        const std::optional<quint32> target = decimal(fields.next(), 8);
        const QByteArrayView targetPos = fields.next();
        const QByteArrayView sourceTarget = fields.next();
        if (symbol.isEmpty() || symbol == "|" || !target || targetPos.size() != 1 ||
            !QByteArrayView("nvasr").contains(targetPos[0]) || !hexadecimal(sourceTarget, 4))
            return std::nullopt;
    }
    // Verb sentence frames, if any, come before the gloss; they are not needed here.
    for (;;) {
        const QByteArrayView field = fields.next();
        if (field.isEmpty()) return std::nullopt; // no gloss
        if (field == "|") break;
    }
    result.gloss = fields.rest().trimmed();
    if (result.gloss.isEmpty()) return std::nullopt; // every synset has a gloss
    return result;
}

QByteArrayView definitionOfGloss(QByteArrayView gloss) {
    const qsizetype example = gloss.indexOf("; \"");
    const QByteArrayView definition = (example < 0 ? gloss : gloss.first(example)).trimmed();
    // A gloss that is only an example sentence keeps it.
    return definition.isEmpty() ? gloss.trimmed() : definition;
}

std::optional<WordNetExceptionLine> parseWordNetExceptionLine(QByteArrayView line) {
    line = withoutLineEnd(line);
    if (!isReadableLine(line)) return std::nullopt;
    Fields fields(line);
    WordNetExceptionLine result;
    result.inflected = fields.next();
    for (QByteArrayView base = fields.next(); !base.isEmpty(); base = fields.next()) {
        if (result.baseForms.size() >= maxWordsPerSynset) return std::nullopt;
        result.baseForms.append(base);
    }
    if (result.inflected.isEmpty() || result.baseForms.isEmpty()) return std::nullopt;
    return result;
}

} // namespace quibo
