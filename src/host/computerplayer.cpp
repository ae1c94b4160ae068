// SPDX-License-Identifier: MIT
#include "computerplayer.h"

#include "gamerules.h"
#include "seattable.h"
#include "tdictn.h"

#include <cstring>

namespace quibo {

namespace {

// Letters the computer opens an empty board with, and puts beside a lone board letter, when no
// candidate word fits.
constexpr char openingLetters[] = "dlmnprs";
constexpr char vowelLetters[] = "aeio";
// The easy computer plays no word longer than this.
constexpr int easyLongestWord = 4;

int codeOf(char upper) {
    return upper >= 'A' && upper <= 'Z' ? upper - 'A' + 1 : 0;
}

int cell(const tplayer& player, int number) {
    return player.board[std::size_t(number - 1)];
}
int slot(const tplayer& player, int number) {
    return player.hand[std::size_t(number - 1)];
}

} // namespace

ComputerPlayer::ComputerPlayer(GameRules& rules, SeatTable& seats, Random& random, const TDictn* spell,
                               const QStringList& words)
    : m_rules(rules)
    , m_seats(seats)
    , m_random(random)
    , m_spell(spell) {
    // Each item is turned into letter codes once, so a turn's scan is a matter of counting.
    m_candidates.resize(std::size_t(words.size()));
    for (qsizetype item = 0; item < words.size(); ++item) {
        const QByteArray upper = words[item].toUpper().toLatin1();
        Candidate& candidate = m_candidates[std::size_t(item)];
        candidate.length = int(upper.size());
        // One letter never scores, and a word longer than the board cannot be laid out.
        candidate.usable = candidate.length >= 2 && candidate.length <= boardCells;
        for (int i = 0; i < candidate.length && candidate.usable; ++i) {
            const int code = codeOf(upper[i]);
            candidate.usable = code != 0;
            candidate.codes[std::size_t(i)] = quint8(code);
        }
    }
}

void ComputerPlayer::computerplay(int seat) {
    if (m_rules.level() == ComputerLevel::Expert && expertplay(seat)) return;
    packBoard(seat);
    const Supply supply = supplyFor(seat);
    const Candidate* chosen = chooseCandidate(seat, supply);
    if (!chosen) {
        fallback(seat, supply);
        return;
    }
    if (supply.n == 0) {
        playFirstLetter(seat, *chosen);
        return;
    }
    makeword(seat, upperWord(*chosen));
}

QByteArray ComputerPlayer::upperWord(const Candidate& candidate) {
    QByteArray word;
    for (int i = 0; i < candidate.length; ++i)
        word += char('A' + candidate.codes[std::size_t(i)] - 1);
    return word;
}

// Moves the board's letters into cells 1 to n, each by a rearrangement with every cell left of it
// that is empty at that moment (after the first, these swap two empty cells and change nothing).
void ComputerPlayer::packBoard(int seat) {
    const tplayer& player = m_seats[seat];
    for (int j = boardCells; j >= 2; --j) {
        if (cell(player, j) == 0) continue;
        for (int i = 1; i < j; ++i) {
            if (cell(player, i) == 0) m_rules.tradingmyletter({seat, j, i});
        }
    }
}

ComputerPlayer::Supply ComputerPlayer::supplyFor(int seat) const {
    Supply supply;
    const tplayer& player = m_seats[seat];
    for (int code : player.board) {
        if (code >= 1 && code <= 26) {
            ++supply.board[std::size_t(code)];
            ++supply.n;
        }
    }
    for (int code : player.hand) {
        if (code >= 1 && code <= 26) ++supply.hand[std::size_t(code)];
    }
    // Seat 3 never plans a steal; the others look at the board a steal of theirs would rob.
    if (seat != 3) {
        for (int code : m_seats[m_rules.victimOf(seat)].board) {
            if (code >= 1 && code <= 26) supply.opponent[std::size_t(code)] = true;
        }
    }
    supply.canSteal =
        supply.n > 2 && player.stealsused < m_rules.stealsallowed() && m_rules.level() != ComputerLevel::Easy;
    return supply;
}

// Tries every candidate once, in list order from a random point, wrapping around. Candidates are
// items 1 to lastwordindex - 1. At the normal level the first that fits wins. The other levels go on
// to the end and keep the first of the fitting words worth most (strong) or least (easy).
const ComputerPlayer::Candidate* ComputerPlayer::chooseCandidate(int seat, const Supply& supply) {
    const int last = int(m_candidates.size()) - 1;
    int item = m_random.draw(std::max(1, last - 10)) + 1;
    const QStringList& formed = m_rules.listbox(seat);
    const ComputerLevel level = m_rules.level();
    const Candidate* best = nullptr;
    int bestValue = 0;
    for (int tries = 0; tries < last - 1; ++tries) {
        if (++item > last - 1) item = 1;
        const Candidate& candidate = m_candidates[std::size_t(item)];
        if (!fitsLevel(candidate) || !passes(candidate, supply)) continue;
        // A word this seat has already scored is never chosen again.
        if (formed.contains(QLatin1String(upperWord(candidate)), Qt::CaseInsensitive)) continue;
        if (level == ComputerLevel::Normal) return &candidate;
        const int value = level == ComputerLevel::Easy ? -GameRules::wordPoints(upperWord(candidate))
                                                       : strongValue(seat, candidate);
        if (!best || value > bestValue) {
            best = &candidate;
            bestValue = value;
        }
    }
    return best;
}

bool ComputerPlayer::fitsLevel(const Candidate& candidate) const {
    return m_rules.level() != ComputerLevel::Easy || candidate.length <= easyLongestWord;
}

// The points the word scores when it is made (nothing for a candidate the dictionary lacks); a word
// that brings the seat to the target score outranks every other.
int ComputerPlayer::strongValue(int seat, const Candidate& candidate) const {
    // Looked up by its letter codes: a strong turn checks every fitting candidate.
    const bool isWord = m_spell && m_spell->isWordOfCodes(candidate.codes.data(), candidate.length);
    const int points = isWord ? GameRules::wordPoints(upperWord(candidate)) : 0;
    const bool reachesTarget = points > 0 && qint64(m_seats[seat].score) + points >= m_rules.targetscore();
    return reachesTarget ? (1 << 24) + points : points;
}

// On an empty board a candidate must be a two-letter word wholly in the hand. Otherwise it must
// have n or n + 1 letters, all from the board except at most one from the hand or, when steals are
// possible, from the opponent's board.
bool ComputerPlayer::passes(const Candidate& candidate, const Supply& supply) const {
    if (!candidate.usable) return false;
    if (supply.n == 0) {
        if (candidate.length != 2) return false;
        const auto a = std::size_t(candidate.codes[0]);
        const auto b = std::size_t(candidate.codes[1]);
        return a == b ? supply.hand[a] >= 2 : supply.hand[a] >= 1 && supply.hand[b] >= 1;
    }
    if (candidate.length != supply.n && candidate.length != supply.n + 1) return false;
    std::array<quint8, 27> used{};
    bool outsideLetterTaken = false;
    for (int i = 0; i < candidate.length; ++i) {
        const auto code = std::size_t(candidate.codes[std::size_t(i)]);
        if (used[code] < supply.board[code]) {
            ++used[code];
        } else if (!outsideLetterTaken &&
                   (supply.hand[code] > 0 || (supply.canSteal && supply.opponent[code]))) {
            outsideLetterTaken = true;
        } else {
            return false;
        }
    }
    return true;
}

int ComputerPlayer::lowestSlotHolding(int seat, const char* letters) const {
    const tplayer& player = m_seats[seat];
    for (int number = 1; number <= handSlots; ++number) {
        const char letter = convertoletter(slot(player, number));
        if (letter != ' ' && std::strchr(letters, letter)) return number;
    }
    return 0;
}

// The first letter goes on cell 1; the second follows on a later turn.
void ComputerPlayer::playFirstLetter(int seat, const Candidate& candidate) {
    const char first[] = {char('a' + candidate.codes[0] - 1), '\0'};
    m_rules.placemyletter({seat, lowestSlotHolding(seat, first), 1});
}

void ComputerPlayer::fallback(int seat, const Supply& supply) {
    if (supply.n == 0) {
        if (const int number = lowestSlotHolding(seat, openingLetters)) {
            m_rules.placemyletter({seat, number, 1});
            return;
        }
    } else if (supply.n == 1) {
        if (const int number = lowestSlotHolding(seat, vowelLetters)) {
            m_rules.placemyletter({seat, number, 2});
            return;
        }
    }
    // A board no word fits stays stuck while hand letters go, turn after turn: the strong computer
    // removes the board letter whose loss leaves the most words that fit.
    if (m_rules.level() == ComputerLevel::Strong && supply.n >= 2) {
        m_rules.discardletter({seat, mostOpenRemoval(seat, supply)});
        return;
    }
    // A long board loses a letter from its first six cells (all filled after packing).
    if (supply.n > 5)
        m_rules.discardletter({seat, m_random.draw(6) + 1});
    else
        discardAny(seat);
}

int ComputerPlayer::mostOpenRemoval(int seat, const Supply& supply) const {
    const tplayer& player = m_seats[seat];
    const QStringList& formed = m_rules.listbox(seat);
    int bestCell = 1;
    int bestCount = -1;
    for (int number = 1; number <= boardCells; ++number) {
        const int code = cell(player, number);
        if (code < 1 || code > 26) continue;
        Supply left = supply;
        --left.board[std::size_t(code)];
        --left.n;
        left.canSteal = supply.canSteal && left.n > 2;
        int count = 0;
        for (const Candidate& candidate : m_candidates) {
            if (passes(candidate, left) &&
                !formed.contains(QLatin1String(upperWord(candidate)), Qt::CaseInsensitive))
                ++count;
        }
        if (count > bestCount) {
            bestCount = count;
            bestCell = number;
        }
    }
    return bestCell;
}

void ComputerPlayer::makeword(int seat, const QByteArray& word) {
    arrange(seat, word);
    if (placeFromHand(seat, word)) return;
    if (steal(seat, word)) return;
    // Arranging alone may have spelled the word: this discard closes the turn and its check scores.
    discardAny(seat);
}

// Moves board letters to the cells where the word needs them, reading the board afresh after every
// swap. A cell that already holds its own letter of the word is left alone.
void ComputerPlayer::arrange(int seat, const QByteArray& word) {
    const tplayer& player = m_seats[seat];
    const int length = int(word.size());
    for (int j = 1; j <= length; ++j) {
        const int wanted = codeOf(word[j - 1]);
        for (int i = 1; i <= boardCells; ++i) {
            const int code = cell(player, i);
            const bool atOwnTarget = i <= length && code == codeOf(word[i - 1]);
            if (code == wanted && !atOwnTarget && i != j) m_rules.tradingmyletter({seat, i, j});
        }
    }
}

bool ComputerPlayer::placeFromHand(int seat, const QByteArray& word) {
    const tplayer& player = m_seats[seat];
    for (int j = 1; j <= int(word.size()); ++j) {
        const int wanted = codeOf(word[j - 1]);
        if (cell(player, j) == wanted) continue;
        for (int number = 1; number <= handSlots; ++number) {
            if (slot(player, number) == wanted) {
                m_rules.placemyletter({seat, number, j});
                return true;
            }
        }
    }
    return false;
}

// Tries every letter of the opponent's board that the word lacks, as long as the word is in the
// dictionary; the steal handler refuses and undoes any steal that does not make a new word.
bool ComputerPlayer::steal(int seat, const QByteArray& word) {
    if (m_rules.level() == ComputerLevel::Easy) return false;
    if (m_seats[seat].stealsused >= m_rules.stealsallowed()) return false;
    const tplayer& player = m_seats[seat];
    const tplayer& victim = m_seats[m_rules.victimOf(seat)];
    int isWord = -1; // looked up once, when first needed
    for (int j = 1; j <= int(word.size()); ++j) {
        const int wanted = codeOf(word[j - 1]);
        if (cell(player, j) == wanted) continue;
        for (int i = 1; i <= boardCells; ++i) {
            if (cell(victim, i) != wanted || i == j) continue;
            if (isWord < 0) isWord = m_spell && m_spell->IsWord(word) ? 1 : 0;
            if (isWord == 1 && m_rules.stealinghisletter({seat, i, j})) return true;
        }
    }
    return false;
}

// Throws away a random hand slot. When that slot is empty the discard would be refused and the
// turn left open with no clock running, so another letter goes instead; with an empty hand the
// board is checked and the turn passes as a discard would pass it.
void ComputerPlayer::discardAny(int seat) {
    const tplayer& player = m_seats[seat];
    const int drawn = m_random.draw(handSlots) + 1;
    if (slot(player, drawn) != 0) {
        m_rules.discardextra({seat, drawn});
        return;
    }
    QList<int> held;
    for (int number = 1; number <= handSlots; ++number) {
        if (slot(player, number) != 0) held << number;
    }
    if (!held.isEmpty()) {
        m_rules.discardextra({seat, held[m_random.draw(int(held.size()))]});
        return;
    }
    m_rules.checkword(seat);
    m_rules.findplayer();
}

} // namespace quibo
