// SPDX-License-Identifier: MIT
#include "letters.h"

#include <QDateTime>
#include <QRandomGenerator>

namespace quibo {

int Random::draw(int n) {
    m_seed = m_seed * 134775813u + 1u;
    if (n <= 1) return 0;
    return int((quint64(m_seed) * quint64(n)) >> 32);
}

quint32 Random::clockSeed() {
    return quint32(QDateTime::currentMSecsSinceEpoch()) ^ QRandomGenerator::system()->generate();
}

int letterworth(int code) {
    static constexpr std::array<int, 27> worth{1, 1, 3, 3,  1, 1, 5, 3, 3, 1, 5,  5, 1, 3,
                                               1, 1, 3, 10, 1, 1, 1, 1, 7, 5, 10, 3, 10};
    return code >= 1 && code <= 26 ? worth[std::size_t(code)] : 1;
}

char convertoletter(int code) {
    return code >= 1 && code <= 26 ? char('a' + code - 1) : ' ';
}

QByteArray boardText(const Board& board) {
    QByteArray text;
    text.reserve(boardCells);
    for (int code : board)
        text += convertoletter(code);
    return text;
}

int getletter(Random& random, const Hand& hand, const Board& board) {
    int c = random.draw(30) + 1;
    switch (c) {
    case 27:
        c = 1;
        break;
    case 28:
        c = 5;
        break;
    case 29:
        c = 9;
        break;
    case 30:
        c = 15;
        break;
    default:
        break;
    }
    if (c == 10 || c == 17 || c == 24 || c == 26) {
        if (random.draw(2) == 1) c = random.draw(26) + 1;
    }
    // Only the hand and the first four board cells damp a repeat.
    int held = 0;
    for (int code : hand)
        held += code == c ? 1 : 0;
    for (int cell = 0; cell < 4; ++cell)
        held += board[std::size_t(cell)] == c ? 1 : 0;
    if (held > 0 && random.draw(held + 2) != 0) c = random.draw(26) + 1;
    return c;
}

} // namespace quibo
