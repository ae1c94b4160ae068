// SPDX-License-Identifier: MIT
#include "thelp.h"

#include "letters.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QTextBrowser>
#include <map>

namespace quibo {

namespace {

// The letters of each worth, in the host's own table, as "1: a d e ..." lines.
QString worthTable() {
    std::map<int, QString> byWorth;
    for (int code = 1; code <= 26; ++code) {
        QString& letters = byWorth[letterworth(code)];
        if (!letters.isEmpty()) letters += QLatin1Char(' ');
        letters += QLatin1Char(convertoletter(code));
    }
    QString rows;
    for (const auto& [worth, letters] : byWorth)
        rows +=
            QStringLiteral("<tr><td align=\"right\"><b>%1</b></td><td>%2</td></tr>").arg(worth).arg(letters);
    return QStringLiteral("<table cellspacing=\"4\">%1</table>").arg(rows);
}

} // namespace

Thelp::Thelp(QWidget* parent)
    : QDialog(parent)
    , m_pages(new QListWidget(this))
    , m_text(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("Thelp"));
    setWindowTitle(tr("Quibo Help"));
    m_pages->setObjectName(QStringLiteral("list_pages"));
    m_text->setObjectName(QStringLiteral("text_page"));
    m_text->setOpenLinks(false);

    const std::pair<QString, QString> pages[] = {
        {tr("The Object of the Game"),
         tr("<h2>The object of the game</h2>"
            "<p>Two players sit at one table. Each builds a word on a board row of ten cells of their "
            "own, using the letters of a private hand of up to six letters that the host deals.</p>"
            "<p>Whenever your board holds an English word you have not formed before in this game, "
            "it scores. The first player to reach the score agreed at the start wins.</p>"
            "<p>Try to <b>morph</b> your word into a new one by adding, removing or rearranging "
            "letters, so that every turn can score again.</p>")},
        {tr("Moves"),
         tr("<h2>Moves</h2>"
            "<p>On your turn you make one of these moves, and the turn passes:</p><ul>"
            "<li><b>Place a letter:</b> click a letter of your hand, then a cell of your board. A "
            "letter already in that cell is lost.</li>"
            "<li><b>Remove a board letter:</b> right-click it.</li>"
            "<li><b>Throw away a hand letter:</b> right-click it.</li>"
            "<li><b>Steal</b> a letter from your opponent (see Steals).</li></ul>"
            "<p><b>Rearranging is free:</b> click a letter of your board, then another cell, to swap "
            "them. You may rearrange as often as you like; it does not end your turn, and the clock "
            "stops. Finish rearranging before you add a letter: the board is checked when the turn "
            "ends.</p>"
            "<p>At the start of each turn you get a new letter in your hand. If the time per turn "
            "runs out, a random hand letter is thrown away and the turn passes.</p>")},
        {tr("Playing with the Keyboard"),
         tr("<h2>Playing with the keyboard</h2>"
            "<p>The whole game can be played without a mouse. Click the board or press "
            "<b>Ctrl+B</b> to bring the keys to it; a ring shows the tile under the cursor.</p><ul>"
            "<li><b>A letter key</b> or <b>1</b> to <b>6</b> picks that letter of your hand (the same "
            "letter again picks the next one of it) and moves the cursor to the first empty cell of "
            "your board. After a placement the cursor moves on to the next empty cell, so a word is "
            "typed letter by letter.</li>"
            "<li><b>Left</b> and <b>Right</b> move along a row, <b>Home</b> and <b>End</b> to its ends; "
            "<b>Up</b> and <b>Down</b> change rows.</li>"
            "<li><b>Enter</b> or <b>Space</b> acts like a click: it places the picked letter, picks a "
            "board letter and then swaps it with the second one you choose.</li>"
            "<li><b>Delete</b> throws the hand letter or the board letter under the cursor away.</li>"
            "<li><b>Page Up</b> goes to your opponent's board to steal: pick the letter with Enter, "
            "<b>Page Down</b> back to your board, Enter on the cell.</li>"
            "<li><b>Escape</b> cancels the pick.</li></ul>"
            "<p><b>Tab</b> moves between the board, the chat line, the chat and your words; "
            "<b>Ctrl+T</b> goes to the chat line. <b>Ctrl+G</b> opens the game options to start a game, "
            "<b>Ctrl+J</b> the window to host or join a table, <b>Ctrl+I</b> the quick instructions. "
            "<b>Alt</b> or <b>F10</b> opens the menus.</p>"
            "<p>Screen readers read each cell with its letter and worth, and announce the game's "
            "events as the chat shows them.</p>")},
        {tr("Scoring"),
         tr("<h2>Scoring</h2>"
            "<p>When your turn ends, your board is read from left to right. If its letters stand in "
            "one unbroken run and form a word you have not scored before in this game, you score the "
            "sum of the letter worths:</p>%1"
            "<p>Long words earn a bonus: the sum is multiplied by 2 for 6 letters, 3 for 7, 4 for 8, "
            "5 for 9 and 6 for 10 letters.</p>"
            "<p>For example <i>quiz</i> scores 10 + 1 + 1 + 10 = 22, and <i>planet</i> scores "
            "(3 + 1 + 1 + 1 + 1 + 1) &times; 2 = 16. The same word scores only once for you, but your "
            "opponent may still score it.</p>")
             .arg(worthTable())},
        {tr("Steals"),
         tr("<h2>Steals</h2>"
            "<p>Click a letter on your opponent's board, then a cell of your own board. The steal "
            "stands only if the stolen letter at once makes a new word on your board: then you score "
            "it, your opponent loses the letter (but keeps their points), and your turn ends.</p>"
            "<p>A steal that makes no new word is undone and you may try something else. The number "
            "of steals per player is agreed at the start of the game; when yours are used up, further "
            "attempts are refused.</p>")},
        {tr("Spectators and Chat"),
         tr("<h2>Spectators and chat</h2>"
            "<p>Up to nine people can be at a table: the two players and spectators, who watch both "
            "boards and the scores. The spy list shows who is watching.</p>"
            "<p>Everybody chats: type into the line below the chat and press Enter. The phrase "
            "buttons send ready-made lines, and the Options menu sets colours, text size and "
            "sounds.</p>") +
             tr("<p>Rest the pointer on a word in Your Words, on a line of the chat where a word was "
                "formed, or on a word of the game summary to see what it means. <b>/define</b> and a "
                "word, typed into the chat line, shows its meanings in the chat; only you see them. The "
                "meanings come from the English WordNet (Debian package wordnet-base).</p>")},
        {tr("Game Records and Replays"),
         tr("<h2>Game records and replays</h2>"
            "<p>Every game you play or watch is kept as a record, a plain text file in the folder "
            "<i>games</i> of your data folder. <b>Game Records…</b> (View menu) lists them, newest "
            "first, with the date, the opponent, the result and the score.</p>"
            "<p>Double-click a game, or choose <b>Open</b>, to replay it: both boards, your hand, the "
            "scores and the game's lines from the chat, step by step. <b>First</b>, <b>Previous</b>, "
            "<b>Next</b> and <b>Last</b>, the slider and the keys <b>Left</b>, <b>Right</b>, "
            "<b>Home</b> and <b>End</b> move through the game. A replay never connects to "
            "anything.</p>"
            "<p>For each of your turns the strongest computer level works out the best move from what "
            "you knew then: your hand, your board and your opponent's board. The replay shows it beside "
            "the move you made, for example <i>You played CAT for 5. Best: CRATE for 14 (place R in "
            "cell 2).</i> The summary at the end of a game lists under <b>Missed:</b> the three turns "
            "that cost you the most points, with the best word and its meaning.</p>"
            "<p><b>Save As...</b> copies a record elsewhere, <b>Open File...</b> replays a record from "
            "anywhere, and <b>Copy as Text</b> puts the game on the clipboard, one line a move or a "
            "word. <code>quibo --replay FILE</code> opens a record directly. A record that is damaged, "
            "cut short, not a Quibo record or written by a newer version is refused with a message, "
            "never half shown.</p>")},
        {tr("Just Watch and Player 3"),
         tr("<h2>Just watch and player 3</h2>"
            "<p><b>Just Watch</b> (Options menu) lets the computer play your seat while you watch; "
            "choose it again to play yourself. The hosting player can set either player to just "
            "watch from the pop-up menu on the player's name.</p>"
            "<p>If the hosting player started the game with the hand-over offered, the button "
            "<b>Give turn to Player 3</b> hands the host's turns to the first spectator, player 3, "
            "who then plays in the host's place. When player 3 leaves, the game is over.</p>"
            "<p>The computer plays at the level chosen under <b>Computer:</b> in the game options "
            "window: <b>Easy</b>, <b>Normal</b>, <b>Strong</b> or <b>Expert</b>. Expert tries every "
            "word its letters allow, values the letters it keeps, and looks a turn ahead at what "
            "you could reply; it thinks up to a second a move.</p>")},
        {tr("Starting a Multi-player Game"),
         tr("<h2>Starting a multi-player game</h2>"
            "<p>Started without a command line, Quibo plays a solo game against the computer and "
            "shows the window <b>Host or Join a Game</b> (also in the File menu). Type your name, "
            "then either <b>Host a Table</b>, which shows the addresses and port at which the others "
            "join you, or type the host's address and <b>Join the Table</b>. Quibo then starts again "
            "in that mode and remembers your name and the address.</p>"
            "<p>The Kivo22 Lobby and the command line do the same with your name, the address of the "
            "host, and <code>true</code> on the copy that hosts:</p><ul>"
            "<li>to host: <code>quibo Ann 192.168.1.5 true</code></li>"
            "<li>to join: <code>quibo Bob 192.168.1.5</code></li></ul>"
            "<p>A fourth word <code>t</code> offers the hand-over to player 3. The host listens on "
            "port 7772 and writes in the chat where the others join. The hosting player starts each "
            "game with <b>Start Game</b>, choosing the score to play to, the time per turn and the "
            "number of steals.</p>"
            "<p>If a join fails, the chat says why and the window opens again with the address, ready "
            "to be corrected. If the connection drops during a game, Quibo reconnects for about a "
            "minute and takes your seat back with your letters and score.</p>") +
             tr("<p><b>Players on the internet:</b> a copy that hosts a table asks your router to "
                "forward port 7772 to this computer (by UPnP or NAT-PMP) and writes in the chat where "
                "players on the internet join you. If the router does not allow it, the chat says so: "
                "then forward the port by hand in the router's settings, or play on the local network. "
                "The forwarding is removed when Quibo ends.</p>") +
             tr("<p>Tables on the local network appear by themselves in the list of <b>Host or Join a "
                "Game</b>, with the host's name, the players, the free seats and whether they are "
                "playing or waiting: double-click one to join it. Every hosting copy announces its "
                "table there (a solo game never does) through the computer's mDNS responder, Avahi; "
                "without it the list stays empty and typing the address still works. Anybody on the "
                "network can announce a table, so join only tables you expect.</p>")},
        {tr("Addresses, Links and Private Tables"),
         tr("<h2>Addresses, links and private tables</h2>"
            "<p>The host's address is a name or an address, with a port when the table is not on "
            "7772: <code>gamebox</code>, <code>gamebox:7800</code>, <code>192.168.1.5:7800</code>, "
            "or an IPv6 address in brackets, <code>[2001:db8::1]:7800</code>. An IPv6 address "
            "without brackets, such as <code>::1</code>, has no port. The host lists its IPv4 and "
            "IPv6 addresses in the chat.</p>"
            "<p><b>Copy Table Link</b> (File menu) puts the table's link, such as "
            "<code>quibo://192.168.1.5:7772</code>, on the clipboard. Send it to a friend: opening it "
            "starts Quibo and joins the table under the name last used. It may also be pasted into "
            "the address field, or given alone on the command line: "
            "<code>quibo quibo://192.168.1.5:7772</code>.</p>"
            "<p>A table can be private: type a password beside <b>Host a Table</b>. Whoever joins, "
            "to play or to watch, is asked for it. A wrong password is answered after a second, and "
            "after five wrong ones within a minute your address must wait until the minute is over. "
            "The password is not saved.</p>")},
    };
    for (const auto& [title, text] : pages) {
        m_pages->addItem(title);
        m_pageTexts.append(text);
    }
    m_pages->setFixedWidth(m_pages->sizeHintForColumn(0) + 24);
    connect(m_pages, &QListWidget::currentRowChanged, this, &Thelp::showPage);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(m_text, 1);
    resize(680, 440);
    showPage(0);
}

int Thelp::pageCount() const {
    return int(m_pageTexts.size());
}

int Thelp::currentPage() const {
    return m_pages->currentRow();
}

void Thelp::showPage(int index) {
    if (index < 0 || index >= pageCount()) return;
    if (m_pages->currentRow() != index)
        m_pages->setCurrentRow(index); // comes back here through currentRowChanged
    m_text->setHtml(m_pageTexts.at(index));
}

} // namespace quibo
