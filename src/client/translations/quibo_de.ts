<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>quibo::BoardPanel</name>
    <message>
        <source>You are not connected</source>
        <translation>Du bist nicht verbunden</translation>
    </message>
    <message>
        <source>Your Words: (0)</source>
        <translation>Deine Wörter: (0)</translation>
    </message>
    <message>
        <source>Play to Score: </source>
        <translation>Spiel bis Punkte: </translation>
    </message>
    <message>
        <source>Steals Left: Unlimited</source>
        <translation>Diebstähle übrig: unbegrenzt</translation>
    </message>
    <message>
        <source>Steals Left: </source>
        <translation>Diebstähle übrig: </translation>
    </message>
    <message>
        <source>Steal Left: </source>
        <translation>Diebstähle übrig: </translation>
    </message>
    <message>
        <source> has started a game.</source>
        <translation> hat ein Spiel gestartet.</translation>
    </message>
    <message>
        <source>Place a Letter</source>
        <translation>Leg einen Buchstaben</translation>
    </message>
    <message>
        <source>&apos;s turn.</source>
        <translation> ist am Zug.</translation>
    </message>
    <message>
        <source>You can steal a letter only if you can use it immediately to create a valid word.</source>
        <translation>Du kannst einen Buchstaben nur stehlen, wenn du damit sofort ein gültiges Wort bildest.</translation>
    </message>
    <message>
        <source>You have used all your steals.</source>
        <translation>Du hast alle deine Diebstähle verbraucht.</translation>
    </message>
    <message>
        <source>Your Words: (</source>
        <translation>Deine Wörter: (</translation>
    </message>
    <message>
        <source>For </source>
        <translation>Für </translation>
    </message>
    <message>
        <source> points </source>
        <translation> Punkte hat </translation>
    </message>
    <message>
        <source> formed </source>
        <translation> gebildet: </translation>
    </message>
    <message>
        <source>Play to score: </source>
        <translation>Spiel bis Punkte: </translation>
    </message>
    <message>
        <source> has won the game!</source>
        <translation> hat das Spiel gewonnen!</translation>
    </message>
    <message>
        <source> has Won the Game!</source>
        <translation> hat das Spiel gewonnen!</translation>
    </message>
    <message>
        <source>Time Up!</source>
        <translation>Zeit abgelaufen!</translation>
    </message>
    <message>
        <source>Time per Turn: </source>
        <translation>Zeit pro Zug: </translation>
    </message>
    <message>
        <source># of Steals: Unlimited</source>
        <translation>Diebstähle: unbegrenzt</translation>
    </message>
    <message>
        <source># of Steals: </source>
        <translation>Diebstähle: </translation>
    </message>
    <message>
        <source>Quibo</source>
        <translation>Quibo</translation>
    </message>
    <message>
        <source>Just watching</source>
        <translation>Schaut nur zu</translation>
    </message>
    <message>
        <source>Time: 0:00</source>
        <translation>Zeit: 0:00</translation>
    </message>
    <message>
        <source>Play to Score: 100</source>
        <translation>Spiel bis Punkte: 100</translation>
    </message>
    <message>
        <source>Time per Turn: 30 </source>
        <translation>Zeit pro Zug: 30 </translation>
    </message>
    <message>
        <source># of Steals: 5</source>
        <translation>Diebstähle: 5</translation>
    </message>
    <message>
        <source>Bonus Points</source>
        <translation>Bonuspunkte</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Spiel starten</translation>
    </message>
    <message>
        <source>Give turn to Player 3</source>
        <translation>Zug an Spieler 3 geben</translation>
    </message>
    <message>
        <source>Your Words</source>
        <translation>Deine Wörter</translation>
    </message>
    <message>
        <source>Time: </source>
        <translation>Zeit: </translation>
    </message>
    <message>
        <source>You have started a game.</source>
        <translation>Du hast ein Spiel gestartet.</translation>
    </message>
    <message>
        <source>Game Over</source>
        <translation>Spiel vorbei</translation>
    </message>
    <message>
        <source>You have won the game!</source>
        <translation>Du hast das Spiel gewonnen!</translation>
    </message>
    <message>
        <source>You have Won the Game!</source>
        <translation>Du hast das Spiel gewonnen!</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Leicht</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Strong</source>
        <translation>Stark</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Experte</translation>
    </message>
    <message>
        <source>Computer: </source>
        <translation>Computer: </translation>
    </message>
    <message>
        <source>%1 has started a game.</source>
        <translation>%1 hat ein Spiel gestartet.</translation>
    </message>
    <message>
        <source>%1 has won the game!</source>
        <translation>%1 hat das Spiel gewonnen!</translation>
    </message>
    <message>
        <source>For %1 points %2 formed %3</source>
        <translation>Für %1 Punkte hat %2 gebildet: %3</translation>
    </message>
    <message>
        <source>For %1 points you formed %2</source>
        <translation>Für %1 Punkte hast du gebildet: %2</translation>
    </message>
    <message>
        <source>You already scored %1.</source>
        <translation>Mit %1 hast du schon gepunktet.</translation>
    </message>
    <message>
        <source>Clock stopped: rearranging</source>
        <translation>Uhr angehalten: Umstellen</translation>
    </message>
    <message>
        <source>6 Letters - 2x</source>
        <translation>6 Buchst. - 2x</translation>
    </message>
    <message>
        <source>7 Letters - 3x</source>
        <translation>7 Buchst. - 3x</translation>
    </message>
    <message>
        <source>8 Letters - 4x</source>
        <translation>8 Buchst. - 4x</translation>
    </message>
    <message>
        <source>9 Letters - 5x</source>
        <translation>9 Buchst. - 5x</translation>
    </message>
    <message>
        <source>10 Letters - 6x</source>
        <translation>10 Buchst. - 6x</translation>
    </message>
    <message>
        <source>For %1 points You formed %2</source>
        <translation>Für %1 Punkte hast du gebildet: %2</translation>
    </message>
</context>
<context>
    <name>quibo::ConnectionReasons</name>
    <message>
        <source>the host reset the connection.</source>
        <translation>der Host hat die Verbindung zurückgesetzt.</translation>
    </message>
    <message>
        <source>the connection was broken off on this computer.</source>
        <translation>die Verbindung wurde auf diesem Computer abgebrochen.</translation>
    </message>
    <message>
        <source>nobody is listening at %1 port %2: is the table open?</source>
        <translation>an %1 Port %2 wartet niemand: ist der Tisch geöffnet?</translation>
    </message>
    <message>
        <source>%1 did not answer in time: is the address right and the host&apos;s computer on?</source>
        <translation>%1 hat nicht rechtzeitig geantwortet: stimmt die Adresse und ist der Computer des Hosts an?</translation>
    </message>
    <message>
        <source>%1 cannot be reached from this computer.</source>
        <translation>%1 ist von diesem Computer aus nicht erreichbar.</translation>
    </message>
    <message>
        <source>this computer has no network that reaches %1.</source>
        <translation>dieser Computer hat kein Netz, das %1 erreicht.</translation>
    </message>
    <message>
        <source>no computer called %1 was found: check the address.</source>
        <translation>es wurde kein Computer namens %1 gefunden: bitte die Adresse prüfen.</translation>
    </message>
    <message>
        <source>port %1 is already in use on this computer.</source>
        <translation>Port %1 wird auf diesem Computer schon benutzt.</translation>
    </message>
</context>
<context>
    <name>quibo::ChatEntry</name>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>&lt;Enter Chat Here&gt;</source>
        <translation>&lt;Chat hier eingeben&gt;</translation>
    </message>
</context>
<context>
    <name>quibo::ChatPane</name>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Clear Main Chat</source>
        <translation>Chat leeren</translation>
    </message>
    <message>
        <source>Scroll Chat Off</source>
        <translation>Chat nicht mitrollen</translation>
    </message>
</context>
<context>
    <name>quibo::ChatView</name>
    <message>
        <source>You are chatting faster than the others can read: some of your lines were not sent.</source>
        <translation>Du chattest schneller, als die anderen lesen können: Einige deiner Zeilen wurden nicht gesendet.</translation>
    </message>
    <message>
        <source>You chat: %1</source>
        <translation>Du chattest: %1</translation>
    </message>
    <message>
        <source>You say: %1</source>
        <translation>Du sagst: %1</translation>
    </message>
</context>
<context>
    <name>quibo::GameLog</name>
    <message>
        <source>Your letters are not in one unbroken run.</source>
        <translation>Deine Buchstaben stehen nicht in einer lückenlosen Reihe.</translation>
    </message>
    <message>
        <source>Your time ran out.</source>
        <translation>Deine Zeit ist abgelaufen.</translation>
    </message>
    <message>
        <source>%1 threw away a letter.</source>
        <translation>%1 hat einen Buchstaben abgeworfen.</translation>
    </message>
    <message>
        <source>You already scored %1.</source>
        <translation>Mit %1 hast du schon gepunktet.</translation>
    </message>
    <message>
        <source>%1 is not in the word list.</source>
        <translation>%1 steht nicht in der Wortliste.</translation>
    </message>
    <message>
        <source>You removed the %1 from your board.</source>
        <translation>Du hast das %1 von deinem Brett entfernt.</translation>
    </message>
    <message>
        <source>%1 removed the %2 from their board.</source>
        <translation>%1 hat das %2 vom eigenen Brett entfernt.</translation>
    </message>
    <message>
        <source>You stole the %1 from %2&apos;s board.</source>
        <translation>Du hast das %1 von %2s Brett gestohlen.</translation>
    </message>
    <message>
        <source>%1 stole the %2 from your board.</source>
        <translation>%1 hat das %2 von deinem Brett gestohlen.</translation>
    </message>
    <message>
        <source>%1 stole the %2 from %3&apos;s board.</source>
        <translation>%1 hat das %2 von %3s Brett gestohlen.</translation>
    </message>
    <message>
        <source>%1&apos;s time ran out.</source>
        <translation>%1s Zeit ist abgelaufen.</translation>
    </message>
    <message>
        <source>%1 plays for %2 until someone takes the seat.</source>
        <translation>%1 spielt für %2, bis jemand den Platz einnimmt.</translation>
    </message>
    <message>
        <source>You threw away the %1.</source>
        <translation>Du hast das %1 weggeworfen.</translation>
    </message>
    <message>
        <source>Your %1 replaced the %2 on your board; the %2 is gone.</source>
        <translation>Dein %1 hat das %2 auf deinem Brett ersetzt; das %2 ist weg.</translation>
    </message>
    <message>
        <source>%1&apos;s %2 replaced the %3 on their board; the %3 is gone.</source>
        <translation>Das %2 von %1 hat das %3 auf dem eigenen Brett ersetzt; das %3 ist weg.</translation>
    </message>
    <message>
        <source>Time Up!</source>
        <translation>Zeit abgelaufen!</translation>
    </message>
</context>
<context>
    <name>quibo::GameSummaryWindow</name>
    <message>
        <source>Quibo - Game Summary</source>
        <translation>Quibo - Spielübersicht</translation>
    </message>
    <message>
        <source>Play Again</source>
        <translation>Nochmal spielen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>You have won the game!</source>
        <translation>Du hast das Spiel gewonnen!</translation>
    </message>
    <message>
        <source> has won the game!</source>
        <translation> hat das Spiel gewonnen!</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keins</translation>
    </message>
    <message>
        <source> points, </source>
        <translation> Punkte, </translation>
    </message>
    <message>
        <source>Missed:</source>
        <translation>Verpasst:</translation>
    </message>
    <message>
        <source>Working out the best moves...</source>
        <translation>Die besten Züge werden ermittelt...</translation>
    </message>
    <message>
        <source>Nothing: every turn was the best one.</source>
        <translation>Nichts: Jeder Zug war der beste.</translation>
    </message>
    <message>
        <source>Turn %1: %2 for %3 instead of no word</source>
        <translation>Zug %1: %2 für %3 statt keines Wortes</translation>
    </message>
    <message>
        <source>Turn %1: %2 for %3 instead of %4 for %5</source>
        <translation>Zug %1: %2 für %3 statt %4 für %5</translation>
    </message>
    <message>
        <source>%1 has won the game!</source>
        <translation>%1 hat das Spiel gewonnen!</translation>
    </message>
    <message>
        <source>Longest word:</source>
        <translation>Längstes Wort:</translation>
    </message>
    <message>
        <source>Best word:</source>
        <translation>Bestes Wort:</translation>
    </message>
    <message>
        <source>Game length:</source>
        <translation>Spieldauer:</translation>
    </message>
</context>
<context>
    <name>quibo::HostAddress</name>
    <message>
        <source>&quot;%1&quot; is not a port: a port is a number from 1 to 65535.</source>
        <translation>„%1“ ist kein Port: Ein Port ist eine Zahl von 1 bis 65535.</translation>
    </message>
    <message>
        <source>The brackets around the IPv6 address do not match.</source>
        <translation>Die Klammern um die IPv6-Adresse passen nicht zusammen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; in brackets is not an IPv6 address.</source>
        <translation>„%1“ in Klammern ist keine IPv6-Adresse.</translation>
    </message>
    <message>
        <source>After the IPv6 address in brackets only a colon and a port may follow.</source>
        <translation>Nach der IPv6-Adresse in Klammern dürfen nur ein Doppelpunkt und ein Port folgen.</translation>
    </message>
    <message>
        <source>The address is empty: type the host&apos;s name or address.</source>
        <translation>Die Adresse ist leer: Gib den Namen oder die Adresse des Gastgebers ein.</translation>
    </message>
    <message>
        <source>An address may not begin with &quot;-&quot;.</source>
        <translation>Eine Adresse darf nicht mit &quot;-&quot; beginnen.</translation>
    </message>
    <message>
        <source>The address is too long.</source>
        <translation>Die Adresse ist zu lang.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an IPv6 address; write an IPv6 address with a port in brackets: [2001:db8::1]:7800.</source>
        <translation>„%1“ ist keine IPv6-Adresse; schreibe eine IPv6-Adresse mit Port in Klammern: [2001:db8::1]:7800.</translation>
    </message>
    <message>
        <source>The host&apos;s name or address is missing before the port.</source>
        <translation>Vor dem Port fehlt der Name oder die Adresse des Gastgebers.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a host name or address: it may hold only letters, digits, &quot;-&quot;, &quot;.&quot; and &quot;_&quot;.</source>
        <translation>„%1“ ist kein Rechnername und keine Adresse: Erlaubt sind nur Buchstaben, Ziffern, &quot;-&quot;, &quot;.&quot; und &quot;_&quot;.</translation>
    </message>
    <message>
        <source>This is not a Quibo table link: a link reads quibo://HOST:PORT.</source>
        <translation>Das ist kein Quibo-Tischlink: Ein Link lautet quibo://HOST:PORT.</translation>
    </message>
</context>
<context>
    <name>quibo::HostConnection</name>
    <message>
        <source>The connection to the host was closed: it sent more messages than the window can handle.</source>
        <translation>Die Verbindung zum Host wurde geschlossen: Er hat mehr Nachrichten geschickt, als das Fenster verarbeiten kann.</translation>
    </message>
    <message>
        <source>The connection to the host was closed: it sent data that is not a message.</source>
        <translation>Die Verbindung zum Host wurde geschlossen: Er hat Daten geschickt, die keine Nachricht sind.</translation>
    </message>
    <message>
        <source>The host did not greet this window within %1 seconds.</source>
        <translation>Der Host hat dieses Fenster nicht innerhalb von %1 Sekunden begrüßt.</translation>
    </message>
</context>
<context>
    <name>quibo::MeaningTips</name>
    <message>
        <source>Type /define and a word to see what it means.</source>
        <translation>Gib /define und ein Wort ein, um zu sehen, was es bedeutet.</translation>
    </message>
    <message>
        <source>No dictionary of meanings is installed (Debian package wordnet-base).</source>
        <translation>Es ist kein Bedeutungswörterbuch installiert (Debian-Paket wordnet-base).</translation>
    </message>
    <message>
        <source>No meaning found for %1.</source>
        <translation>Keine Bedeutung für %1 gefunden.</translation>
    </message>
</context>
<context>
    <name>quibo::PasswordPrompt</name>
    <message>
        <source>Private Table</source>
        <translation>Privater Tisch</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>Beitreten</translation>
    </message>
    <message>
        <source>This table is private. Type its password (the hosting player knows it).</source>
        <translation>Dieser Tisch ist privat. Gib sein Passwort ein (der Gastgeber kennt es).</translation>
    </message>
    <message>
        <source>Too many wrong passwords came from your address. Wait a minute, then type the table&apos;s password again.</source>
        <translation>Von deiner Adresse kamen zu viele falsche Passwörter. Warte eine Minute und gib dann das Passwort des Tisches erneut ein.</translation>
    </message>
    <message>
        <source>That was not the table&apos;s password. Type it again.</source>
        <translation>Das war nicht das Passwort des Tisches. Gib es noch einmal ein.</translation>
    </message>
</context>
<context>
    <name>quibo::QuickInstructions</name>
    <message>
        <source>Try to &quot;MORPH&quot; your word into a new word by adding or deleting letters from your board.</source>
        <translation>„VERWANDLE“ dein Wort in ein neues, indem du Buchstaben auf deinem Brett hinzufügst oder entfernst.</translation>
    </message>
    <message>
        <source>1. Click one of your letters then click on your board to start your word. This will end your turn.</source>
        <translation>1. Klicke auf einen deiner Buchstaben und dann auf dein Brett, um dein Wort zu beginnen. Damit endet dein Zug.</translation>
    </message>
    <message>
        <source>2. Keep adding letters to form valid words. Your word is checked at the end of your turn.</source>
        <translation>2. Füge weitere Buchstaben hinzu, um gültige Wörter zu bilden. Dein Wort wird am Ende deines Zuges geprüft.</translation>
    </message>
    <message>
        <source>3. You can rearrange the letters on the board. Click on the letter and then click on the spot you want to move it to.</source>
        <translation>3. Du kannst die Buchstaben auf dem Brett umstellen. Klicke auf den Buchstaben und dann auf die Stelle, an die er soll.</translation>
    </message>
    <message>
        <source>4. Be sure to complete all your rearranging before adding another letter to your board.</source>
        <translation>4. Stelle alles fertig um, bevor du einen weiteren Buchstaben auf dein Brett legst.</translation>
    </message>
    <message>
        <source>5. Swap two letters on your board by clicking one of them, then clicking the other.</source>
        <translation>5. Tausche zwei Buchstaben auf deinem Brett, indem du erst den einen und dann den anderen anklickst.</translation>
    </message>
    <message>
        <source>6. You can remove a letter on your board by right clicking on it. This will end your turn. </source>
        <translation>6. Mit einem Rechtsklick entfernst du einen Buchstaben von deinem Brett. Damit endet dein Zug. </translation>
    </message>
    <message>
        <source>You can also steal letters from your opponent&apos;s board, or you can delete letters from your own hand. Both of these actions will end your turn.</source>
        <translation>Du kannst auch Buchstaben vom Brett deines Gegners stehlen oder Buchstaben aus deiner Hand wegwerfen. Beides beendet deinen Zug.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Keys: a letter or 1-6 picks it, arrows move, Enter places or swaps, Delete throws away, Page Up steals, Esc cancels.</source>
        <translation>Tasten: ein Buchstabe oder 1-6 wählt ihn, Pfeile bewegen, Eingabe legt oder tauscht, Entf wirft weg, Bild auf stiehlt, Esc bricht ab.</translation>
    </message>
    <message>
        <source>To steal, click a letter on your opponent&apos;s board, then a spot on your board: the steal stands only if the letter at once makes a new word. To throw away a letter of your hand, right-click it. Both end your turn.</source>
        <translation>Stehlen: Klicke einen Buchstaben des Gegners an, dann einen Platz auf deinem Brett; das gilt nur, wenn er sofort ein neues Wort bildet. Ein Rechtsklick wirft einen Buchstaben der Hand weg. Beides beendet den Zug.</translation>
    </message>
</context>
<context>
    <name>quibo::Tabout</name>
    <message>
        <source>About Quibo</source>
        <translation>Über Quibo</translation>
    </message>
    <message>
        <source>A word game for two players and their spectators.
Word lists from SCOWL by Kevin Atkinson and its contributors.</source>
        <translation>Ein Wortspiel für zwei Spieler und ihre Zuschauer.
Wortlisten aus SCOWL von Kevin Atkinson und seinen Mitwirkenden.</translation>
    </message>
</context>
<context>
    <name>quibo::Tchat</name>
    <message>
        <source>Quibo</source>
        <translation>Quibo</translation>
    </message>
    <message>
        <source> has a different version of the game then you.</source>
        <translation> hat eine andere Version des Spiels als du.</translation>
    </message>
    <message>
        <source>You have a differnt version of the game then the host.</source>
        <translation>Du hast eine andere Version des Spiels als der Host.</translation>
    </message>
    <message>
        <source>Game is full</source>
        <translation>Das Spiel ist voll</translation>
    </message>
    <message>
        <source>The connection to the host was lost: %1</source>
        <translation>Die Verbindung zum Host ist abgebrochen: %1</translation>
    </message>
    <message>
        <source>Could not connect to the host: %1</source>
        <translation>Keine Verbindung zum Host möglich: %1</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Spiel starten</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Play Sounds</source>
        <translation>Töne abspielen</translation>
    </message>
    <message>
        <source>Text Color</source>
        <translation>Textfarbe</translation>
    </message>
    <message>
        <source>Action Color</source>
        <translation>Aktionsfarbe</translation>
    </message>
    <message>
        <source>Text Size</source>
        <translation>Textgröße</translation>
    </message>
    <message>
        <source>Scroll Chat Off</source>
        <translation>Chat nicht mitrollen</translation>
    </message>
    <message>
        <source>Clear Main Chat</source>
        <translation>Chat leeren</translation>
    </message>
    <message>
        <source>Just Watch</source>
        <translation>Nur zuschauen</translation>
    </message>
    <message>
        <source>Quick Instructions</source>
        <translation>Kurzanleitung</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>View Tally</source>
        <translation>Bilanz anzeigen</translation>
    </message>
    <message>
        <source>Spy List</source>
        <translation>Zuschauerliste</translation>
    </message>
    <message>
        <source>Phrase List</source>
        <translation>Sprüche</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Content</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Remove From Game</source>
        <translation>Aus dem Spiel entfernen</translation>
    </message>
    <message>
        <source>Set to Just Watch</source>
        <translation>Auf Zuschauen setzen</translation>
    </message>
    <message>
        <source>Unset Just Watch</source>
        <translation>Zuschauen aufheben</translation>
    </message>
    <message>
        <source>You are Connected.</source>
        <translation>Du bist verbunden.</translation>
    </message>
    <message>
        <source>View Quick Instructions by clicking Ctrl-i</source>
        <translation>Die Kurzanleitung zeigt Strg+I</translation>
    </message>
    <message>
        <source> is Connected.</source>
        <translation> ist verbunden.</translation>
    </message>
    <message>
        <source>You are spying.</source>
        <translation>Du schaust zu.</translation>
    </message>
    <message>
        <source> is spying.</source>
        <translation> schaut zu.</translation>
    </message>
    <message>
        <source> disconnected.</source>
        <translation> hat die Verbindung getrennt.</translation>
    </message>
    <message>
        <source> is just watching</source>
        <translation> schaut nur zu</translation>
    </message>
    <message>
        <source> is now playing again</source>
        <translation> spielt wieder selbst</translation>
    </message>
    <message>
        <source>The host has given </source>
        <translation>Der Host hat </translation>
    </message>
    <message>
        <source> the ability to play.</source>
        <translation> das Spielen überlassen.</translation>
    </message>
    <message>
        <source>The Game is over since player 3 left</source>
        <translation>Das Spiel ist vorbei, weil Spieler 3 gegangen ist</translation>
    </message>
    <message>
        <source>You cannot give player 3 your turn.</source>
        <translation>Du kannst Spieler 3 deinen Zug nicht geben.</translation>
    </message>
    <message>
        <source> has left.</source>
        <translation> ist gegangen.</translation>
    </message>
    <message>
        <source>Loading Solo Game..Please wait.</source>
        <translation>Solospiel wird geladen … bitte warten.</translation>
    </message>
    <message>
        <source>Press CONTROL-I in order to see QUICK INSTRUCTIONS!</source>
        <translation>Drücke STRG+I für die KURZANLEITUNG!</translation>
    </message>
    <message>
        <source>Loading Multi-player Game.. Please Wait.</source>
        <translation>Mehrspielerspiel wird geladen … bitte warten.</translation>
    </message>
    <message>
        <source>Could not start the game host: %1</source>
        <translation>Der Spielhost konnte nicht starten: %1</translation>
    </message>
    <message>
        <source>Connection lost. Reconnecting...</source>
        <translation>Verbindung verloren. Neuer Versuch...</translation>
    </message>
    <message>
        <source>Reconnected.</source>
        <translation>Wieder verbunden.</translation>
    </message>
    <message>
        <source>The host closed the table.</source>
        <translation>Der Gastgeber hat den Tisch geschlossen.</translation>
    </message>
    <message>
        <source>Could not reconnect to the host: %1</source>
        <translation>Keine neue Verbindung zum Gastgeber: %1</translation>
    </message>
    <message>
        <source>Host or Join a Game...</source>
        <translation>Tisch eröffnen oder beitreten...</translation>
    </message>
    <message>
        <source>You are just watching</source>
        <translation>Du schaust nur zu</translation>
    </message>
    <message>
        <source>You are now playing again</source>
        <translation>Du spielst wieder mit</translation>
    </message>
    <message>
        <source>The host&apos;s address is missing. Start Quibo with your name and the host&apos;s address (quibo %1 192.168.1.5), or choose &quot;Host or Join a Game...&quot; in the File menu.</source>
        <translation>Die Adresse des Gastgebers fehlt. Starte Quibo mit deinem Namen und der Adresse des Gastgebers (quibo %1 192.168.1.5) oder wähle „Tisch eröffnen oder beitreten...“ im Menü Datei.</translation>
    </message>
    <message>
        <source>Others join this table at %1.</source>
        <translation>Andere treten diesem Tisch bei unter %1.</translation>
    </message>
    <message>
        <source>Another table or program already uses port %1 on this computer, so no table for others can be opened here (%2).</source>
        <translation>Ein anderer Tisch oder ein anderes Programm benutzt auf diesem Computer schon den Port %1, daher kann hier kein Tisch für andere eröffnet werden (%2).</translation>
    </message>
    <message>
        <source>Play a solo game against the computer instead?</source>
        <translation>Stattdessen ein Solospiel gegen den Computer spielen?</translation>
    </message>
    <message>
        <source>Play Solo Game</source>
        <translation>Solospiel spielen</translation>
    </message>
    <message>
        <source>This table is private: it needs a password.</source>
        <translation>Dieser Tisch ist privat: Er braucht ein Passwort.</translation>
    </message>
    <message>
        <source>The host refuses passwords from your address for a minute: too many were wrong.</source>
        <translation>Der Gastgeber nimmt eine Minute lang keine Passwörter von deiner Adresse an: Zu viele waren falsch.</translation>
    </message>
    <message>
        <source>The host did not accept the password.</source>
        <translation>Der Gastgeber hat das Passwort nicht angenommen.</translation>
    </message>
    <message>
        <source>This table link cannot be used: %1</source>
        <translation>Dieser Tischlink ist nicht verwendbar: %1</translation>
    </message>
    <message>
        <source>Type your name in the start window to join the table at %1.</source>
        <translation>Gib im Startfenster deinen Namen ein, um dem Tisch unter %1 beizutreten.</translation>
    </message>
    <message>
        <source>The table link %1 is on the clipboard: others open it to join.</source>
        <translation>Der Tischlink %1 ist in der Zwischenablage: Wer ihn öffnet, tritt bei.</translation>
    </message>
    <message>
        <source>Copy Table Link</source>
        <translation>Tischlink kopieren</translation>
    </message>
    <message>
        <source>Game Records…</source>
        <translation>Gespeicherte Spiele…</translation>
    </message>
    <message>
        <source>View Quick Instructions by pressing Ctrl+I.</source>
        <translation>Die Kurzanleitung zeigt Strg+I.</translation>
    </message>
    <message>
        <source>%1 is Connected.</source>
        <translation>%1 ist verbunden.</translation>
    </message>
    <message>
        <source>%1 is spying.</source>
        <translation>%1 schaut zu.</translation>
    </message>
    <message>
        <source>%1 disconnected.</source>
        <translation>%1 hat die Verbindung getrennt.</translation>
    </message>
    <message>
        <source>%1 is just watching</source>
        <translation>%1 schaut nur zu</translation>
    </message>
    <message>
        <source>%1 is now playing again</source>
        <translation>%1 spielt wieder selbst</translation>
    </message>
    <message>
        <source>The host has given %1 the ability to play.</source>
        <translation>Der Host hat %1 das Spielen überlassen.</translation>
    </message>
    <message>
        <source>%1 has left.</source>
        <translation>%1 ist gegangen.</translation>
    </message>
    <message>
        <source>Loading Solo Game. Please wait.</source>
        <translation>Solospiel wird geladen. Bitte warten.</translation>
    </message>
    <message>
        <source>Loading Multi-player Game. Please wait.</source>
        <translation>Mehrspielerspiel wird geladen. Bitte warten.</translation>
    </message>
    <message>
        <source>Your next solo game uses the name %1.</source>
        <translation>Dein nächstes Solospiel verwendet den Namen %1.</translation>
    </message>
    <message>
        <source>Show Chat Times</source>
        <translation>Chatzeiten anzeigen</translation>
    </message>
</context>
<context>
    <name>quibo::Tdownload</name>
    <message>
        <source>Play Solo Game</source>
        <translation>Solospiel spielen</translation>
    </message>
    <message>
        <source>Host or Join a Game</source>
        <translation>Tisch eröffnen oder beitreten</translation>
    </message>
    <message>
        <source>Your name:</source>
        <translation>Dein Name:</translation>
    </message>
    <message>
        <source>Host a table</source>
        <translation>Tisch eröffnen</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Large (rare words too)</source>
        <translation>Groß (auch seltene Wörter)</translation>
    </message>
    <message>
        <source>Word list:</source>
        <translation>Wortliste:</translation>
    </message>
    <message>
        <source>Host a Table</source>
        <translation>Tisch eröffnen</translation>
    </message>
    <message>
        <source>Join a table</source>
        <translation>Tisch beitreten</translation>
    </message>
    <message>
        <source>Join the Table</source>
        <translation>Dem Tisch beitreten</translation>
    </message>
    <message>
        <source>Host&apos;s address:</source>
        <translation>Adresse des Gastgebers:</translation>
    </message>
    <message>
        <source>The others join your table at %1.</source>
        <translation>Die anderen treten deinem Tisch bei unter %1.</translation>
    </message>
    <message>
        <source>Type your name first.</source>
        <translation>Gib zuerst deinen Namen ein.</translation>
    </message>
    <message>
        <source>Type the host&apos;s address: the hosting player sees it in the chat.</source>
        <translation>Gib die Adresse des Gastgebers ein: wer den Tisch eröffnet, sieht sie im Chat.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; in the settings file begins with &quot;-&quot; and is not used: names and addresses may not begin with &quot;-&quot;.</source>
        <translation>&quot;%1&quot; in der Einstellungsdatei beginnt mit &quot;-&quot; und wird nicht verwendet: Namen und Adressen dürfen nicht mit &quot;-&quot; beginnen.</translation>
    </message>
    <message>
        <source>A name may not begin with &quot;-&quot;.</source>
        <translation>Ein Name darf nicht mit &quot;-&quot; beginnen.</translation>
    </message>
    <message>
        <source>&lt;p&gt;To play against another person, one of you hosts a table and the other joins it; more people may join to watch. Without a table, Quibo plays a solo game against the computer.&lt;/p&gt;&lt;p&gt;Type your name, then host a table or join one: Quibo starts again in that mode, as the Kivo22 Lobby or the command line would start it:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;to host as Ann: &lt;code&gt;quibo Ann 192.168.1.5 true&lt;/code&gt;&lt;/li&gt;&lt;li&gt;to join the table at 192.168.1.5 as Bob: &lt;code&gt;quibo Bob 192.168.1.5&lt;/code&gt;&lt;/li&gt;&lt;li&gt;on another port, or at an IPv6 address: &lt;code&gt;quibo Bob 192.168.1.5:7800&lt;/code&gt;, &lt;code&gt;quibo Bob [2001:db8::1]:7800&lt;/code&gt;&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;A table link (quibo://192.168.1.5:7772, File &amp;gt; Copy Table Link) may be pasted as the address. A table with a password is private: only who knows it joins.&lt;/p&gt;&lt;p&gt;The copy that hosts always plays as player 1 and starts the games.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Um gegen einen anderen Menschen zu spielen, eröffnet einer von euch einen Tisch und der andere tritt ihm bei; weitere Leute können zum Zuschauen beitreten. Ohne Tisch spielt Quibo allein gegen den Computer.&lt;/p&gt;&lt;p&gt;Gib deinen Namen ein, dann eröffne einen Tisch oder tritt einem bei: Quibo startet in dieser Art neu, so wie es die Kivo22 Lobby oder die Befehlszeile starten würde:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;als Ann eröffnen: &lt;code&gt;quibo Ann 192.168.1.5 true&lt;/code&gt;&lt;/li&gt;&lt;li&gt;dem Tisch unter 192.168.1.5 als Bob beitreten: &lt;code&gt;quibo Bob 192.168.1.5&lt;/code&gt;&lt;/li&gt;&lt;li&gt;auf einem anderen Port oder unter einer IPv6-Adresse: &lt;code&gt;quibo Bob 192.168.1.5:7800&lt;/code&gt;, &lt;code&gt;quibo Bob [2001:db8::1]:7800&lt;/code&gt;&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;Ein Tischlink (quibo://192.168.1.5:7772, Datei &amp;gt; Tischlink kopieren) kann als Adresse eingefügt werden. Ein Tisch mit Passwort ist privat: Nur wer es kennt, tritt bei.&lt;/p&gt;&lt;p&gt;Wer den Tisch eröffnet, spielt immer als Spieler 1 und startet die Spiele.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>none: anybody may join</source>
        <translation>keines: jeder darf beitreten</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>&lt;p&gt;To play against another person, one of you hosts a table and the other joins it; more people may join to watch. Without a table, Quibo plays a solo game against the computer.&lt;/p&gt;&lt;p&gt;Type your name, then host a table or join one: Quibo starts again in that mode, as the Kivo22 Lobby or the command line would start it:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;to host as Ann: &lt;code&gt;quibo Ann 192.168.1.5 true&lt;/code&gt;&lt;/li&gt;&lt;li&gt;to join the table at 192.168.1.5 as Bob: &lt;code&gt;quibo Bob 192.168.1.5&lt;/code&gt;&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;The copy that hosts always plays as player 1 and starts the games.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Um gegen einen anderen Menschen zu spielen, eröffnet einer von euch einen Tisch und der andere tritt ihm bei; weitere Leute können zum Zuschauen beitreten. Ohne Tisch spielt Quibo allein gegen den Computer.&lt;/p&gt;&lt;p&gt;Gib deinen Namen ein, dann eröffne einen Tisch oder tritt einem bei: Quibo startet in dieser Art neu, so wie es die Kivo22 Lobby oder die Befehlszeile starten würde:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;als Ann eröffnen: &lt;code&gt;quibo Ann 192.168.1.5 true&lt;/code&gt;&lt;/li&gt;&lt;li&gt;dem Tisch unter 192.168.1.5 als Bob beitreten: &lt;code&gt;quibo Bob 192.168.1.5&lt;/code&gt;&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;Wer den Tisch eröffnet, spielt immer als Spieler 1 und startet die Spiele.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>An address may not begin with &quot;-&quot;.</source>
        <translation>Eine Adresse darf nicht mit &quot;-&quot; beginnen.</translation>
    </message>
    <message>
        <source>In a solo game nobody else sees it; without a name you are &quot;You&quot;.</source>
        <translation>Im Solospiel sieht ihn niemand sonst; ohne Namen heißt du „Du“.</translation>
    </message>
</context>
<context>
    <name>quibo::Tgamestart</name>
    <message>
        <source>Quibo - Game Start</source>
        <translation>Quibo - Spielstart</translation>
    </message>
    <message>
        <source>Game Options</source>
        <translation>Spieloptionen</translation>
    </message>
    <message>
        <source>Unlimited Steals</source>
        <translation>Unbegrenzt stehlen</translation>
    </message>
    <message>
        <source>Start Game</source>
        <translation>Spiel starten</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Leicht</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Strong</source>
        <translation>Stark</translation>
    </message>
    <message>
        <source>Expert</source>
        <translation>Experte</translation>
    </message>
    <message>
        <source>Play to Score:</source>
        <translation>Spiel bis Punkte:</translation>
    </message>
    <message>
        <source>Time Per Turn:</source>
        <translation>Zeit pro Zug:</translation>
    </message>
    <message>
        <source># of Steals::</source>
        <translation>Diebstähle::</translation>
    </message>
    <message>
        <source># of Steals:</source>
        <translation>Diebstähle:</translation>
    </message>
    <message>
        <source>Computer:</source>
        <translation>Computer:</translation>
    </message>
</context>
<context>
    <name>quibo::Thelp</name>
    <message>
        <source>Quibo Help</source>
        <translation>Quibo-Hilfe</translation>
    </message>
    <message>
        <source>The Object of the Game</source>
        <translation>Ziel des Spiels</translation>
    </message>
    <message>
        <source>&lt;h2&gt;The object of the game&lt;/h2&gt;&lt;p&gt;Two players sit at one table. Each builds a word on a board row of ten cells of their own, using the letters of a private hand of up to six letters that the host deals.&lt;/p&gt;&lt;p&gt;Whenever your board holds an English word you have not formed before in this game, it scores. The first player to reach the score agreed at the start wins.&lt;/p&gt;&lt;p&gt;Try to &lt;b&gt;morph&lt;/b&gt; your word into a new one by adding, removing or rearranging letters, so that every turn can score again.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Ziel des Spiels&lt;/h2&gt;&lt;p&gt;Zwei Spieler sitzen an einem Tisch. Jeder baut auf seiner eigenen Brettreihe aus zehn Feldern ein Wort, aus den Buchstaben einer verdeckten Hand von bis zu sechs Buchstaben, die der Host austeilt.&lt;/p&gt;&lt;p&gt;Immer wenn dein Brett ein englisches Wort zeigt, das du in diesem Spiel noch nicht gebildet hast, bekommst du Punkte. Wer zuerst die zu Beginn vereinbarte Punktzahl erreicht, gewinnt.&lt;/p&gt;&lt;p&gt;Versuche, dein Wort durch Hinzufügen, Entfernen oder Umstellen von Buchstaben in ein neues zu &lt;b&gt;verwandeln&lt;/b&gt;, damit jeder Zug wieder punkten kann.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Züge</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Moves&lt;/h2&gt;&lt;p&gt;On your turn you make one of these moves, and the turn passes:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;Place a letter:&lt;/b&gt; click a letter of your hand, then a cell of your board. A letter already in that cell is lost.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Remove a board letter:&lt;/b&gt; right-click it.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Throw away a hand letter:&lt;/b&gt; right-click it.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Steal&lt;/b&gt; a letter from your opponent (see Steals).&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;&lt;b&gt;Rearranging is free:&lt;/b&gt; click a letter of your board, then another cell, to swap them. You may rearrange as often as you like; it does not end your turn, and the clock stops. Finish rearranging before you add a letter: the board is checked when the turn ends.&lt;/p&gt;&lt;p&gt;At the start of each turn you get a new letter in your hand. If the time per turn runs out, a random hand letter is thrown away and the turn passes.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Züge&lt;/h2&gt;&lt;p&gt;In deinem Zug machst du einen dieser Züge, dann ist der andere dran:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;Buchstaben legen:&lt;/b&gt; Klicke auf einen Buchstaben deiner Hand, dann auf ein Feld deines Bretts. Ein Buchstabe, der dort schon liegt, geht verloren.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Brettbuchstaben entfernen:&lt;/b&gt; Rechtsklick darauf.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Handbuchstaben wegwerfen:&lt;/b&gt; Rechtsklick darauf.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Stehlen&lt;/b&gt; eines Buchstabens vom Gegner (siehe Stehlen).&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;&lt;b&gt;Umstellen ist frei:&lt;/b&gt; Klicke auf einen Buchstaben deines Bretts, dann auf ein anderes Feld, um sie zu tauschen. Du darfst so oft umstellen, wie du willst; es beendet deinen Zug nicht, und die Uhr hält an. Stelle fertig um, bevor du einen Buchstaben legst: Das Brett wird am Ende des Zuges geprüft.&lt;/p&gt;&lt;p&gt;Zu Beginn jedes Zuges bekommst du einen neuen Buchstaben auf die Hand. Läuft die Zeit pro Zug ab, wird ein zufälliger Handbuchstabe weggeworfen, und der andere ist dran.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Scoring</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Scoring&lt;/h2&gt;&lt;p&gt;When your turn ends, your board is read from left to right. If its letters stand in one unbroken run and form a word you have not scored before in this game, you score the sum of the letter worths:&lt;/p&gt;%1&lt;p&gt;Long words earn a bonus: the sum is multiplied by 2 for 6 letters, 3 for 7, 4 for 8, 5 for 9 and 6 for 10 letters.&lt;/p&gt;&lt;p&gt;For example &lt;i&gt;quiz&lt;/i&gt; scores 10 + 1 + 1 + 10 = 22, and &lt;i&gt;planet&lt;/i&gt; scores (3 + 1 + 1 + 1 + 1 + 1) &amp;times; 2 = 16. The same word scores only once for you, but your opponent may still score it.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Punkte&lt;/h2&gt;&lt;p&gt;Am Ende deines Zuges wird dein Brett von links nach rechts gelesen. Stehen seine Buchstaben lückenlos hintereinander und bilden ein Wort, für das du in diesem Spiel noch keine Punkte bekommen hast, bekommst du die Summe der Buchstabenwerte:&lt;/p&gt;%1&lt;p&gt;Lange Wörter bringen einen Bonus: Die Summe wird mit 2 malgenommen bei 6 Buchstaben, mit 3 bei 7, mit 4 bei 8, mit 5 bei 9 und mit 6 bei 10 Buchstaben.&lt;/p&gt;&lt;p&gt;Zum Beispiel bringt &lt;i&gt;quiz&lt;/i&gt; 10 + 1 + 1 + 10 = 22 Punkte und &lt;i&gt;planet&lt;/i&gt; (3 + 1 + 1 + 1 + 1 + 1) &amp;times; 2 = 16. Dasselbe Wort zählt für dich nur einmal, dein Gegner kann es aber noch bilden.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Steals</source>
        <translation>Stehlen</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Steals&lt;/h2&gt;&lt;p&gt;Click a letter on your opponent&apos;s board, then a cell of your own board. The steal stands only if the stolen letter at once makes a new word on your board: then you score it, your opponent loses the letter (but keeps their points), and your turn ends.&lt;/p&gt;&lt;p&gt;A steal that makes no new word is undone and you may try something else. The number of steals per player is agreed at the start of the game; when yours are used up, further attempts are refused.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Stehlen&lt;/h2&gt;&lt;p&gt;Klicke auf einen Buchstaben auf dem Brett deines Gegners, dann auf ein Feld deines eigenen Bretts. Der Diebstahl gilt nur, wenn der gestohlene Buchstabe sofort ein neues Wort auf deinem Brett bildet: Dann bekommst du die Punkte, dein Gegner verliert den Buchstaben (behält aber seine Punkte), und dein Zug endet.&lt;/p&gt;&lt;p&gt;Ein Diebstahl, der kein neues Wort bildet, wird rückgängig gemacht, und du kannst etwas anderes versuchen. Die Zahl der Diebstähle pro Spieler wird zu Beginn des Spiels vereinbart; sind deine verbraucht, werden weitere Versuche abgelehnt.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Spectators and Chat</source>
        <translation>Zuschauer und Chat</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Spectators and chat&lt;/h2&gt;&lt;p&gt;Up to nine people can be at a table: the two players and spectators, who watch both boards and the scores. The spy list shows who is watching.&lt;/p&gt;&lt;p&gt;Everybody chats: type into the line below the chat and press Enter. The phrase buttons send ready-made lines, and the Options menu sets colours, text size and sounds.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Zuschauer und Chat&lt;/h2&gt;&lt;p&gt;Bis zu neun Leute können an einem Tisch sein: die beiden Spieler und Zuschauer, die beide Bretter und die Punkte sehen. Die Zuschauerliste zeigt, wer zuschaut.&lt;/p&gt;&lt;p&gt;Alle chatten: Schreibe in die Zeile unter dem Chat und drücke die Eingabetaste. Die Spruchknöpfe senden fertige Zeilen, und im Menü Optionen stellst du Farben, Textgröße und Töne ein.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Just Watch and Player 3</source>
        <translation>Nur zuschauen und Spieler 3</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Just watch and player 3&lt;/h2&gt;&lt;p&gt;&lt;b&gt;Just Watch&lt;/b&gt; (Options menu) lets the computer play your seat while you watch; choose it again to play yourself. The hosting player can set either player to just watch from the pop-up menu on the player&apos;s name.&lt;/p&gt;&lt;p&gt;If the hosting player started the game with the hand-over offered, the button &lt;b&gt;Give turn to Player 3&lt;/b&gt; hands the host&apos;s turns to the first spectator, player 3, who then plays in the host&apos;s place. When player 3 leaves, the game is over.&lt;/p&gt;&lt;p&gt;The computer plays at the level chosen under &lt;b&gt;Computer:&lt;/b&gt; in the game options window: &lt;b&gt;Easy&lt;/b&gt;, &lt;b&gt;Normal&lt;/b&gt;, &lt;b&gt;Strong&lt;/b&gt; or &lt;b&gt;Expert&lt;/b&gt;. Expert tries every word its letters allow, values the letters it keeps, and looks a turn ahead at what you could reply; it thinks up to a second a move.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Nur zuschauen und Spieler 3&lt;/h2&gt;&lt;p&gt;&lt;b&gt;Nur zuschauen&lt;/b&gt; (Menü Optionen) lässt den Computer für dich spielen, während du zuschaust; wähle es noch einmal, um wieder selbst zu spielen. Der ausrichtende Spieler kann jeden der beiden Spieler über das Kontextmenü auf dessen Namen auf Zuschauen setzen.&lt;/p&gt;&lt;p&gt;Hat der ausrichtende Spieler das Spiel mit angebotener Übergabe gestartet, gibt der Knopf &lt;b&gt;Zug an Spieler 3 geben&lt;/b&gt; die Züge des Hosts an den ersten Zuschauer, Spieler 3, der dann an seiner Stelle spielt. Geht Spieler 3, ist das Spiel vorbei.&lt;/p&gt;&lt;p&gt;Der Computer spielt auf der Stufe, die unter &lt;b&gt;Computer:&lt;/b&gt; im Fenster der Spieloptionen gewählt ist: &lt;b&gt;Leicht&lt;/b&gt;, &lt;b&gt;Normal&lt;/b&gt;, &lt;b&gt;Stark&lt;/b&gt; oder &lt;b&gt;Experte&lt;/b&gt;. Der Experte probiert jedes Wort, das seine Buchstaben erlauben, bewertet die Buchstaben, die er behält, und schaut einen Zug voraus, was du antworten könntest; er denkt bis zu einer Sekunde pro Zug.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Starting a Multi-player Game</source>
        <translation>Ein Mehrspielerspiel starten</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Starting a multi-player game&lt;/h2&gt;&lt;p&gt;Started without a command line, Quibo plays a solo game against the computer and shows the window &lt;b&gt;Host or Join a Game&lt;/b&gt; (also in the File menu). Type your name, then either &lt;b&gt;Host a Table&lt;/b&gt;, which shows the addresses and port at which the others join you, or type the host&apos;s address and &lt;b&gt;Join the Table&lt;/b&gt;. Quibo then starts again in that mode and remembers your name and the address.&lt;/p&gt;&lt;p&gt;The Kivo22 Lobby and the command line do the same with your name, the address of the host, and &lt;code&gt;true&lt;/code&gt; on the copy that hosts:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;to host: &lt;code&gt;quibo Ann 192.168.1.5 true&lt;/code&gt;&lt;/li&gt;&lt;li&gt;to join: &lt;code&gt;quibo Bob 192.168.1.5&lt;/code&gt;&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;A fourth word &lt;code&gt;t&lt;/code&gt; offers the hand-over to player 3. The host listens on port 7772 and writes in the chat where the others join. The hosting player starts each game with &lt;b&gt;Start Game&lt;/b&gt;, choosing the score to play to, the time per turn and the number of steals.&lt;/p&gt;&lt;p&gt;If a join fails, the chat says why and the window opens again with the address, ready to be corrected. If the connection drops during a game, Quibo reconnects for about a minute and takes your seat back with your letters and score.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Ein Spiel mit mehreren Spielern beginnen&lt;/h2&gt;&lt;p&gt;Ohne Befehlszeile gestartet, spielt Quibo allein gegen den Computer und zeigt das Fenster &lt;b&gt;Tisch eröffnen oder beitreten&lt;/b&gt; (auch im Menü Datei). Gib deinen Namen ein, dann wähle &lt;b&gt;Tisch eröffnen&lt;/b&gt;, das die Adressen und den Port zeigt, unter denen die anderen dir beitreten, oder gib die Adresse des Gastgebers ein und wähle &lt;b&gt;Dem Tisch beitreten&lt;/b&gt;. Quibo startet dann in dieser Art neu und merkt sich deinen Namen und die Adresse.&lt;/p&gt;&lt;p&gt;Die Kivo22 Lobby und die Befehlszeile tun dasselbe mit deinem Namen, der Adresse des Gastgebers und &lt;code&gt;true&lt;/code&gt; bei der Kopie, die den Tisch eröffnet:&lt;/p&gt;&lt;ul&gt;&lt;li&gt;eröffnen: &lt;code&gt;quibo Ann 192.168.1.5 true&lt;/code&gt;&lt;/li&gt;&lt;li&gt;beitreten: &lt;code&gt;quibo Bob 192.168.1.5&lt;/code&gt;&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;Ein viertes Wort &lt;code&gt;t&lt;/code&gt; bietet die Übergabe an Spieler 3 an. Der Gastgeber lauscht auf Port 7772 und schreibt in den Chat, wo die anderen beitreten. Wer den Tisch eröffnet, startet jedes Spiel mit &lt;b&gt;Start Game&lt;/b&gt; und wählt die Zielpunktzahl, die Zeit pro Zug und die Zahl der Diebstähle.&lt;/p&gt;&lt;p&gt;Scheitert ein Beitritt, sagt der Chat warum, und das Fenster öffnet sich wieder mit der Adresse, bereit zur Korrektur. Bricht die Verbindung während eines Spiels ab, verbindet Quibo sich etwa eine Minute lang neu und nimmt deinen Platz mit deinen Buchstaben und Punkten wieder ein.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Rest the pointer on a word in Your Words, on a line of the chat where a word was formed, or on a word of the game summary to see what it means. &lt;b&gt;/define&lt;/b&gt; and a word, typed into the chat line, shows its meanings in the chat; only you see them. The meanings come from the English WordNet (Debian package wordnet-base).&lt;/p&gt;</source>
        <translation>&lt;p&gt;Lass den Mauszeiger auf einem Wort unter „Deine Wörter“, auf einer Chatzeile, in der ein Wort gebildet wurde, oder auf einem Wort der Spielübersicht, ruhen, um zu sehen, was es bedeutet. &lt;b&gt;/define&lt;/b&gt; und ein Wort, in die Chatzeile getippt, zeigt seine Bedeutungen im Chat; nur du siehst sie. Die Bedeutungen stammen aus dem englischen WordNet (Debian-Paket wordnet-base).&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Addresses, Links and Private Tables</source>
        <translation>Adressen, Links und private Tische</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Addresses, links and private tables&lt;/h2&gt;&lt;p&gt;The host&apos;s address is a name or an address, with a port when the table is not on 7772: &lt;code&gt;gamebox&lt;/code&gt;, &lt;code&gt;gamebox:7800&lt;/code&gt;, &lt;code&gt;192.168.1.5:7800&lt;/code&gt;, or an IPv6 address in brackets, &lt;code&gt;[2001:db8::1]:7800&lt;/code&gt;. An IPv6 address without brackets, such as &lt;code&gt;::1&lt;/code&gt;, has no port. The host lists its IPv4 and IPv6 addresses in the chat.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Copy Table Link&lt;/b&gt; (File menu) puts the table&apos;s link, such as &lt;code&gt;quibo://192.168.1.5:7772&lt;/code&gt;, on the clipboard. Send it to a friend: opening it starts Quibo and joins the table under the name last used. It may also be pasted into the address field, or given alone on the command line: &lt;code&gt;quibo quibo://192.168.1.5:7772&lt;/code&gt;.&lt;/p&gt;&lt;p&gt;A table can be private: type a password beside &lt;b&gt;Host a Table&lt;/b&gt;. Whoever joins, to play or to watch, is asked for it. A wrong password is answered after a second, and after five wrong ones within a minute your address must wait until the minute is over. The password is not saved.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Adressen, Links und private Tische&lt;/h2&gt;&lt;p&gt;Die Adresse des Gastgebers ist ein Name oder eine Adresse, mit Port, wenn der Tisch nicht auf 7772 ist: &lt;code&gt;gamebox&lt;/code&gt;, &lt;code&gt;gamebox:7800&lt;/code&gt;, &lt;code&gt;192.168.1.5:7800&lt;/code&gt; oder eine IPv6-Adresse in Klammern, &lt;code&gt;[2001:db8::1]:7800&lt;/code&gt;. Eine IPv6-Adresse ohne Klammern, etwa &lt;code&gt;::1&lt;/code&gt;, hat keinen Port. Der Gastgeber nennt seine IPv4- und IPv6-Adressen im Chat.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Tischlink kopieren&lt;/b&gt; (Menü Datei) legt den Link des Tisches, etwa &lt;code&gt;quibo://192.168.1.5:7772&lt;/code&gt;, in die Zwischenablage. Schicke ihn einem Freund: Wer ihn öffnet, startet Quibo und tritt dem Tisch unter dem zuletzt verwendeten Namen bei. Er kann auch in das Adressfeld eingefügt oder allein auf der Befehlszeile angegeben werden: &lt;code&gt;quibo quibo://192.168.1.5:7772&lt;/code&gt;.&lt;/p&gt;&lt;p&gt;Ein Tisch kann privat sein: Gib neben &lt;b&gt;Tisch eröffnen&lt;/b&gt; ein Passwort ein. Wer beitritt, ob zum Spielen oder Zuschauen, wird danach gefragt. Auf ein falsches Passwort kommt die Antwort nach einer Sekunde, und nach fünf falschen innerhalb einer Minute muss deine Adresse warten, bis die Minute um ist. Das Passwort wird nicht gespeichert.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Players on the internet:&lt;/b&gt; a copy that hosts a table asks your router to forward port 7772 to this computer (by UPnP or NAT-PMP) and writes in the chat where players on the internet join you. If the router does not allow it, the chat says so: then forward the port by hand in the router&apos;s settings, or play on the local network. The forwarding is removed when Quibo ends.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Spieler im Internet:&lt;/b&gt; Eine Kopie, die einen Tisch eröffnet, bittet deinen Router, Port 7772 an diesen Computer weiterzuleiten (per UPnP oder NAT-PMP), und schreibt in den Chat, wo Spieler im Internet dir beitreten. Erlaubt der Router es nicht, sagt es der Chat: Dann richte die Weiterleitung von Hand in den Einstellungen des Routers ein, oder spiele im lokalen Netz. Die Weiterleitung wird entfernt, wenn Quibo endet.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Tables on the local network appear by themselves in the list of &lt;b&gt;Host or Join a Game&lt;/b&gt;, with the host&apos;s name, the players, the free seats and whether they are playing or waiting: double-click one to join it. Every hosting copy announces its table there (a solo game never does) through the computer&apos;s mDNS responder, Avahi; without it the list stays empty and typing the address still works. Anybody on the network can announce a table, so join only tables you expect.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Tische im lokalen Netz erscheinen von selbst in der Liste von &lt;b&gt;Tisch eröffnen oder beitreten&lt;/b&gt;, mit dem Namen des Gastgebers, den Spielern, den freien Plätzen und ob dort gespielt oder gewartet wird: Ein Doppelklick auf einen Tisch tritt ihm bei. Jedes gastgebende Quibo meldet seinen Tisch dort an (ein Solospiel nie), über den mDNS-Responder des Computers, Avahi; ohne ihn bleibt die Liste leer, und das Eintippen der Adresse funktioniert weiterhin. Jeder im Netz kann einen Tisch anmelden, tritt also nur Tischen bei, die du erwartest.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Just watch and player 3&lt;/h2&gt;&lt;p&gt;&lt;b&gt;Just Watch&lt;/b&gt; (Options menu) lets the computer play your seat while you watch; choose it again to play yourself. The hosting player can set either player to just watch from the pop-up menu on the player&apos;s name.&lt;/p&gt;&lt;p&gt;If the hosting player started the game with the hand-over offered, the button &lt;b&gt;Give turn to Player 3&lt;/b&gt; hands the host&apos;s turns to the first spectator, player 3, who then plays in the host&apos;s place. When player 3 leaves, the game is over.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Nur zuschauen und Spieler 3&lt;/h2&gt;&lt;p&gt;&lt;b&gt;Nur zuschauen&lt;/b&gt; (Menü Optionen) lässt den Computer für dich spielen, während du zuschaust; wähle es noch einmal, um wieder selbst zu spielen. Der ausrichtende Spieler kann jeden der beiden Spieler über das Kontextmenü auf dessen Namen auf Zuschauen setzen.&lt;/p&gt;&lt;p&gt;Hat der ausrichtende Spieler das Spiel mit angebotener Übergabe gestartet, gibt der Knopf &lt;b&gt;Zug an Spieler 3 geben&lt;/b&gt; die Züge des Hosts an den ersten Zuschauer, Spieler 3, der dann an seiner Stelle spielt. Geht Spieler 3, ist das Spiel vorbei.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Playing with the Keyboard</source>
        <translation>Spielen mit der Tastatur</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Playing with the keyboard&lt;/h2&gt;&lt;p&gt;The whole game can be played without a mouse. Click the board or press &lt;b&gt;Ctrl+B&lt;/b&gt; to bring the keys to it; a ring shows the tile under the cursor.&lt;/p&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;A letter key&lt;/b&gt; or &lt;b&gt;1&lt;/b&gt; to &lt;b&gt;6&lt;/b&gt; picks that letter of your hand (the same letter again picks the next one of it) and moves the cursor to the first empty cell of your board. After a placement the cursor moves on to the next empty cell, so a word is typed letter by letter.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Left&lt;/b&gt; and &lt;b&gt;Right&lt;/b&gt; move along a row, &lt;b&gt;Home&lt;/b&gt; and &lt;b&gt;End&lt;/b&gt; to its ends; &lt;b&gt;Up&lt;/b&gt; and &lt;b&gt;Down&lt;/b&gt; change rows.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Enter&lt;/b&gt; or &lt;b&gt;Space&lt;/b&gt; acts like a click: it places the picked letter, picks a board letter and then swaps it with the second one you choose.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Delete&lt;/b&gt; throws the hand letter or the board letter under the cursor away.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Page Up&lt;/b&gt; goes to your opponent&apos;s board to steal: pick the letter with Enter, &lt;b&gt;Page Down&lt;/b&gt; back to your board, Enter on the cell.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Escape&lt;/b&gt; cancels the pick.&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;&lt;b&gt;Tab&lt;/b&gt; moves between the board, the chat line, the chat and your words; &lt;b&gt;Ctrl+T&lt;/b&gt; goes to the chat line. &lt;b&gt;Ctrl+G&lt;/b&gt; opens the game options to start a game, &lt;b&gt;Ctrl+J&lt;/b&gt; the window to host or join a table, &lt;b&gt;Ctrl+I&lt;/b&gt; the quick instructions. &lt;b&gt;Alt&lt;/b&gt; or &lt;b&gt;F10&lt;/b&gt; opens the menus.&lt;/p&gt;&lt;p&gt;Screen readers read each cell with its letter and worth, and announce the game&apos;s events as the chat shows them.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Spielen mit der Tastatur&lt;/h2&gt;&lt;p&gt;Das ganze Spiel geht ohne Maus. Klicke auf das Brett oder drücke &lt;b&gt;Strg+B&lt;/b&gt;, damit die Tasten dort wirken; ein Ring zeigt das Feld unter dem Cursor.&lt;/p&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;Eine Buchstabentaste&lt;/b&gt; oder &lt;b&gt;1&lt;/b&gt; bis &lt;b&gt;6&lt;/b&gt; wählt diesen Buchstaben deiner Hand (derselbe Buchstabe noch einmal wählt den nächsten davon) und setzt den Cursor auf das erste freie Feld deines Bretts. Nach dem Legen rückt der Cursor zum nächsten freien Feld weiter, so wird ein Wort Buchstabe für Buchstabe getippt.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Links&lt;/b&gt; und &lt;b&gt;Rechts&lt;/b&gt; bewegen in einer Reihe, &lt;b&gt;Pos1&lt;/b&gt; und &lt;b&gt;Ende&lt;/b&gt; an ihre Enden; &lt;b&gt;Hoch&lt;/b&gt; und &lt;b&gt;Runter&lt;/b&gt; wechseln die Reihe.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Eingabe&lt;/b&gt; oder &lt;b&gt;Leertaste&lt;/b&gt; wirkt wie ein Klick: sie legt den gewählten Buchstaben, wählt einen Buchstaben des Bretts und tauscht ihn dann mit dem zweiten, den du wählst.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Entf&lt;/b&gt; wirft den Buchstaben der Hand oder des Bretts unter dem Cursor weg.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Bild auf&lt;/b&gt; geht zum Brett deines Gegners, um zu stehlen: wähle den Buchstaben mit Eingabe, &lt;b&gt;Bild ab&lt;/b&gt; zurück zu deinem Brett, Eingabe auf dem Feld.&lt;/li&gt;&lt;li&gt;&lt;b&gt;Esc&lt;/b&gt; bricht die Wahl ab.&lt;/li&gt;&lt;/ul&gt;&lt;p&gt;&lt;b&gt;Tab&lt;/b&gt; wechselt zwischen Brett, Chatzeile, Chat und deinen Wörtern; &lt;b&gt;Strg+T&lt;/b&gt; geht zur Chatzeile. &lt;b&gt;Strg+G&lt;/b&gt; öffnet die Spieloptionen, um ein Spiel zu starten, &lt;b&gt;Strg+J&lt;/b&gt; das Fenster zum Eröffnen oder Beitreten eines Tisches, &lt;b&gt;Strg+I&lt;/b&gt; die Kurzanleitung. &lt;b&gt;Alt&lt;/b&gt; oder &lt;b&gt;F10&lt;/b&gt; öffnet die Menüs.&lt;/p&gt;&lt;p&gt;Bildschirmleser lesen jedes Feld mit Buchstabe und Wert vor und melden die Ereignisse des Spiels, wie der Chat sie zeigt.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Game Records and Replays</source>
        <translation>Gespeicherte Spiele und Wiederholungen</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Game records and replays&lt;/h2&gt;&lt;p&gt;Every game you play or watch is kept as a record, a plain text file in the folder &lt;i&gt;games&lt;/i&gt; of your data folder. &lt;b&gt;Game Records…&lt;/b&gt; (View menu) lists them, newest first, with the date, the opponent, the result and the score.&lt;/p&gt;&lt;p&gt;Double-click a game, or choose &lt;b&gt;Open&lt;/b&gt;, to replay it: both boards, your hand, the scores and the game&apos;s lines from the chat, step by step. &lt;b&gt;First&lt;/b&gt;, &lt;b&gt;Previous&lt;/b&gt;, &lt;b&gt;Next&lt;/b&gt; and &lt;b&gt;Last&lt;/b&gt;, the slider and the keys &lt;b&gt;Left&lt;/b&gt;, &lt;b&gt;Right&lt;/b&gt;, &lt;b&gt;Home&lt;/b&gt; and &lt;b&gt;End&lt;/b&gt; move through the game. A replay never connects to anything.&lt;/p&gt;&lt;p&gt;For each of your turns the strongest computer level works out the best move from what you knew then: your hand, your board and your opponent&apos;s board. The replay shows it beside the move you made, for example &lt;i&gt;You played CAT for 5. Best: CRATE for 14 (place R in cell 2).&lt;/i&gt; The summary at the end of a game lists under &lt;b&gt;Missed:&lt;/b&gt; the three turns that cost you the most points, with the best word and its meaning.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Save As...&lt;/b&gt; copies a record elsewhere, &lt;b&gt;Open File...&lt;/b&gt; replays a record from anywhere, and &lt;b&gt;Copy as Text&lt;/b&gt; puts the game on the clipboard, one line a move or a word. &lt;code&gt;quibo --replay FILE&lt;/code&gt; opens a record directly. A record that is damaged, cut short, not a Quibo record or written by a newer version is refused with a message, never half shown.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Gespeicherte Spiele und Wiederholungen&lt;/h2&gt;&lt;p&gt;Jedes Spiel, das du spielst oder dem du zuschaust, wird als Aufzeichnung behalten, eine einfache Textdatei im Ordner &lt;i&gt;games&lt;/i&gt; deines Datenordners. &lt;b&gt;Gespeicherte Spiele…&lt;/b&gt; (Menü Ansicht) listet sie auf, das neueste zuerst, mit Datum, Gegner, Ergebnis und Punkten.&lt;/p&gt;&lt;p&gt;Doppelklicke ein Spiel oder wähle &lt;b&gt;Öffnen&lt;/b&gt;, um es zu wiederholen: beide Bretter, deine Hand, die Punkte und die Spielzeilen aus dem Chat, Schritt für Schritt. &lt;b&gt;Anfang&lt;/b&gt;, &lt;b&gt;Zurück&lt;/b&gt;, &lt;b&gt;Weiter&lt;/b&gt; und &lt;b&gt;Ende&lt;/b&gt;, der Schieberegler und die Tasten &lt;b&gt;Links&lt;/b&gt;, &lt;b&gt;Rechts&lt;/b&gt;, &lt;b&gt;Pos1&lt;/b&gt; und &lt;b&gt;Ende&lt;/b&gt; führen durch das Spiel. Eine Wiederholung verbindet sich nie mit irgendetwas.&lt;/p&gt;&lt;p&gt;Für jeden deiner Züge ermittelt die stärkste Computerstufe den besten Zug aus dem, was du damals wusstest: deine Hand, dein Brett und das Brett deines Gegners. Die Wiederholung zeigt ihn neben deinem Zug, zum Beispiel &lt;i&gt;Du hast CAT für 5 gespielt. Am besten: CRATE für 14 (R auf Feld 2 legen).&lt;/i&gt; Die Übersicht am Ende eines Spiels nennt unter &lt;b&gt;Verpasst:&lt;/b&gt; die drei Züge, die dich die meisten Punkte gekostet haben, mit dem besten Wort und seiner Bedeutung.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Speichern unter...&lt;/b&gt; kopiert eine Aufzeichnung an einen anderen Ort, &lt;b&gt;Datei öffnen...&lt;/b&gt; wiederholt eine Aufzeichnung von überall, und &lt;b&gt;Als Text kopieren&lt;/b&gt; legt das Spiel in die Zwischenablage, eine Zeile je Zug oder Wort. &lt;code&gt;quibo --replay DATEI&lt;/code&gt; öffnet eine Aufzeichnung direkt. Eine beschädigte, abgeschnittene, fremde oder von einer neueren Version geschriebene Aufzeichnung wird mit einer Meldung abgelehnt, nie halb gezeigt.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>quibo::Tphrases</name>
    <message>
        <source>Quibo - Phrase Buttons</source>
        <translation>Quibo - Spruchknöpfe</translation>
    </message>
    <message>
        <source>Phrase Button %1:</source>
        <translation>Spruchknopf %1:</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>quibo::Tspylist</name>
    <message>
        <source>Quibo -Spys</source>
        <translation>Quibo - Zuschauer</translation>
    </message>
    <message>
        <source>Spy List</source>
        <translation>Zuschauerliste</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Remove From Game</source>
        <translation>Aus dem Spiel entfernen</translation>
    </message>
    <message>
        <source>Quibo - Spies</source>
        <translation>Quibo - Zuschauer</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>quibo::Ttallylist</name>
    <message>
        <source>The unreadable file will be kept as %1 when the tally is saved.</source>
        <translation>Die unlesbare Datei wird beim Speichern der Bilanz als %1 aufbewahrt.</translation>
    </message>
    <message>
        <source>This will delete </source>
        <translation>Damit wird die Bilanz von </translation>
    </message>
    <message>
        <source>&apos;s Tally, Are you want to delete it?</source>
        <translation> gelöscht. Wirklich löschen?</translation>
    </message>
    <message>
        <source>Your Total Tally</source>
        <translation>Deine Gesamtbilanz</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Sitzung</translation>
    </message>
    <message>
        <source>Number of Games:</source>
        <translation>Anzahl Spiele:</translation>
    </message>
    <message>
        <source>Your Wins:</source>
        <translation>Deine Siege:</translation>
    </message>
    <message>
        <source>Neither Won:</source>
        <translation>Unentschieden:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Players Being Tallied</source>
        <translation>Verfolgte Spieler</translation>
    </message>
    <message>
        <source>Player In Current Game (Click to Start Tally)</source>
        <translation>Spieler im laufenden Spiel (Klick startet die Bilanz)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Quibo - Tally List</source>
        <translation>Quibo - Bilanzliste</translation>
    </message>
    <message>
        <source>%1 Wins:</source>
        <translation>Siege von %1:</translation>
    </message>
    <message>
        <source>%1&apos;s Tally</source>
        <translation>Bilanz von %1</translation>
    </message>
    <message>
        <source>Total Games:</source>
        <translation>Spiele gesamt:</translation>
    </message>
    <message>
        <source>Longest Word:</source>
        <translation>Längstes Wort:</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keins</translation>
    </message>
    <message>
        <source>Best Scoring:</source>
        <translation>Bestes Wort:</translation>
    </message>
    <message>
        <source>Total Words:</source>
        <translation>Wörter gesamt:</translation>
    </message>
    <message>
        <source>Turn Score:</source>
        <translation>Zugpunkte:</translation>
    </message>
</context>
<context>
    <name>quibo::JoinAddresses</name>
    <message>
        <source>%1 (port %2)</source>
        <translation>%1 (Port %2)</translation>
    </message>
</context>
<context>
    <name>quibo::PortMapper</name>
    <message>
        <source>forward it by hand in the router&apos;s settings, or play on the local network.</source>
        <translation>richte die Weiterleitung von Hand in den Einstellungen des Routers ein, oder spiele im lokalen Netz.</translation>
    </message>
    <message>
        <source>Others on the internet join at %1.</source>
        <translation>Andere im Internet treten bei unter %1.</translation>
    </message>
    <message>
        <source>The router did not forward port %1 (no UPnP or NAT-PMP answer); %2</source>
        <translation>Der Router hat Port %1 nicht weitergeleitet (keine Antwort auf UPnP oder NAT-PMP); %2</translation>
    </message>
    <message>
        <source>The router did not forward port %1 (%2 refused with &quot;%3&quot;); %4</source>
        <translation>Der Router hat Port %1 nicht weitergeleitet (%2 lehnte ab mit „%3“); %4</translation>
    </message>
    <message>
        <source>The router did not forward port %1 (it gave no usable outside address); %2</source>
        <translation>Der Router hat Port %1 nicht weitergeleitet (er nannte keine brauchbare äußere Adresse); %2</translation>
    </message>
    <message>
        <source>The router did not forward port %1, since its outside address %2 is not an internet address (another router lies between it and the internet); forward the port on that router too, or play on the local network.</source>
        <translation>Der Router hat Port %1 nicht weitergeleitet, da seine äußere Adresse %2 keine Internetadresse ist (ein weiterer Router liegt zwischen ihm und dem Internet); leite den Port auch auf jenem Router weiter, oder spiele im lokalen Netz.</translation>
    </message>
    <message>
        <source>This copy of Quibo cannot ask the router to forward port %1 (built without UPnP and NAT-PMP); %2</source>
        <translation>Diese Kopie von Quibo kann den Router nicht bitten, Port %1 weiterzuleiten (ohne UPnP und NAT-PMP gebaut); %2</translation>
    </message>
</context>
<context>
    <name>quibo::TableList</name>
    <message>
        <source>Host</source>
        <translation>Gastgeber</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Free seats</source>
        <translation>Freie Plätze</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Spiel</translation>
    </message>
    <message>
        <source>Tables on the local network</source>
        <translation>Tische im lokalen Netz</translation>
    </message>
    <message>
        <source>playing</source>
        <translation>spielt</translation>
    </message>
    <message>
        <source>waiting</source>
        <translation>wartet</translation>
    </message>
    <message>
        <source>%1, private</source>
        <translation>%1, privat</translation>
    </message>
    <message>
        <source>This copy of Quibo was built without Avahi: tables on the local network are not listed.</source>
        <translation>Diese Quibo-Ausgabe wurde ohne Avahi gebaut: Tische im lokalen Netz werden nicht aufgelistet.</translation>
    </message>
    <message>
        <source>Tables on the local network are not listed: no mDNS responder (avahi-daemon) runs.</source>
        <translation>Tische im lokalen Netz werden nicht aufgelistet: Es läuft kein mDNS-Responder (avahi-daemon).</translation>
    </message>
    <message>
        <source>No table on the local network yet; tables appear here by themselves.</source>
        <translation>Noch kein Tisch im lokalen Netz; Tische erscheinen hier von selbst.</translation>
    </message>
</context>
<context>
    <name>quibo::Announcer</name>
    <message>
        <source>Game events</source>
        <translation>Spielereignisse</translation>
    </message>
</context>
<context>
    <name>quibo::BoardAccessibility</name>
    <message>
        <source>Board</source>
        <translation>Spielbrett</translation>
    </message>
    <message>
        <source>letter %1</source>
        <translation>Buchstabe %1</translation>
    </message>
    <message>
        <source>cell %1</source>
        <translation>Feld %1</translation>
    </message>
    <message>
        <source>%1, empty</source>
        <translation>%1, leer</translation>
    </message>
    <message>
        <source>%1, %2, 1 point</source>
        <translation>%1, %2, 1 Punkt</translation>
    </message>
    <message>
        <source>%1, %2, %3 points</source>
        <translation>%1, %2, %3 Punkte</translation>
    </message>
    <message>
        <source>Opponent&apos;s board</source>
        <translation>Brett des Gegners</translation>
    </message>
    <message>
        <source>Your board</source>
        <translation>Dein Brett</translation>
    </message>
    <message>
        <source>Your letters</source>
        <translation>Deine Buchstaben</translation>
    </message>
    <message>
        <source>Upper board</source>
        <translation>Oberes Brett</translation>
    </message>
    <message>
        <source>Lower board</source>
        <translation>Unteres Brett</translation>
    </message>
</context>
<context>
    <name>quibo::WindowView</name>
    <message>
        <source>Has the turn</source>
        <translation>Ist am Zug</translation>
    </message>
    <message>
        <source>Just watching</source>
        <translation>Schaut nur zu</translation>
    </message>
    <message>
        <source>Player of the lower board</source>
        <translation>Spieler des unteren Bretts</translation>
    </message>
    <message>
        <source>Player of the upper board</source>
        <translation>Spieler des oberen Bretts</translation>
    </message>
    <message>
        <source>Score of the lower board</source>
        <translation>Punkte des unteren Bretts</translation>
    </message>
    <message>
        <source>Score of the upper board</source>
        <translation>Punkte des oberen Bretts</translation>
    </message>
    <message>
        <source>Steals of the lower board</source>
        <translation>Diebstähle des unteren Bretts</translation>
    </message>
    <message>
        <source>Steals of the upper board</source>
        <translation>Diebstähle des oberen Bretts</translation>
    </message>
    <message>
        <source>Your turn.</source>
        <translation>Du bist dran.</translation>
    </message>
    <message>
        <source>%1 seconds left.</source>
        <translation>Noch %1 Sekunden.</translation>
    </message>
</context>
<context>
    <name>quibo::GameAnalysis</name>
    <message>
        <source>place %1 over %2 in cell %3</source>
        <translation>%1 über %2 in Feld %3 legen</translation>
    </message>
    <message>
        <source>place %1 over %2</source>
        <translation>%1 über %2 legen</translation>
    </message>
    <message>
        <source>place %1 in cell %2</source>
        <translation>%1 in Feld %2 legen</translation>
    </message>
    <message>
        <source>place %1</source>
        <translation>%1 legen</translation>
    </message>
    <message>
        <source>steal %1 from cell %2 over %3</source>
        <translation>%1 aus Feld %2 stehlen und über %3 legen</translation>
    </message>
    <message>
        <source>steal %1 over %2</source>
        <translation>%1 stehlen und über %2 legen</translation>
    </message>
    <message>
        <source>steal %1 from cell %2</source>
        <translation>%1 aus Feld %2 stehlen</translation>
    </message>
    <message>
        <source>steal %1</source>
        <translation>%1 stehlen</translation>
    </message>
    <message>
        <source>remove %1 from cell %2</source>
        <translation>%1 aus Feld %2 entfernen</translation>
    </message>
    <message>
        <source>remove %1</source>
        <translation>%1 entfernen</translation>
    </message>
    <message>
        <source>throw away %1</source>
        <translation>%1 wegwerfen</translation>
    </message>
    <message>
        <source>You formed no word; none was possible.</source>
        <translation>Du hast kein Wort gebildet; keines war möglich.</translation>
    </message>
    <message>
        <source>You formed no word. Best: %1 for %2 (%3).</source>
        <translation>Du hast kein Wort gebildet. Am besten: %1 für %2 (%3).</translation>
    </message>
    <message>
        <source>You played %1 for %2, the best move.</source>
        <translation>Du hast %1 für %2 gespielt, den besten Zug.</translation>
    </message>
    <message>
        <source>You played %1 for %2. Best: %3 for %4 (%5).</source>
        <translation>Du hast %1 für %2 gespielt. Am besten: %3 für %4 (%5).</translation>
    </message>
</context>
<context>
    <name>quibo::ReplayBoard</name>
    <message>
        <source>Your turn.</source>
        <translation>Du bist dran.</translation>
    </message>
</context>
<context>
    <name>quibo::GameText</name>
    <message>
        <source>%1 started a game: play to %2, %3 seconds per turn.</source>
        <translation>%1 hat ein Spiel begonnen: bis %2 Punkte, %3 Sekunden pro Zug.</translation>
    </message>
    <message>
        <source>%1 placed %2 in cell %3.</source>
        <translation>%1 hat %2 auf Feld %3 gelegt.</translation>
    </message>
    <message>
        <source>%1 removed %2 from cell %3.</source>
        <translation>%1 hat %2 von Feld %3 entfernt.</translation>
    </message>
    <message>
        <source>%1 threw away a hand letter.</source>
        <translation>%1 hat einen Buchstaben der Hand abgeworfen.</translation>
    </message>
    <message>
        <source>%1 swapped cells %2 and %3.</source>
        <translation>%1 hat die Felder %2 und %3 getauscht.</translation>
    </message>
    <message>
        <source>%1 stole %2 into cell %3.</source>
        <translation>%1 hat %2 auf Feld %3 gestohlen.</translation>
    </message>
    <message>
        <source>%1 formed %2 for %3.</source>
        <translation>%1 hat %2 für %3 gebildet.</translation>
    </message>
    <message>
        <source>Time ran out.</source>
        <translation>Die Zeit ist abgelaufen.</translation>
    </message>
    <message>
        <source>%1 won the game, %2 to %3.</source>
        <translation>%1 hat das Spiel gewonnen, %2 zu %3.</translation>
    </message>
</context>
<context>
    <name>quibo::ReplayWindow</name>
    <message>
        <source>Quibo - Replay: %1 - %2, %3</source>
        <translation>Quibo - Wiederholung: %1 - %2, %3</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Anfang</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Copy as Text</source>
        <translation>Als Text kopieren</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Step %1 of %2</source>
        <translation>Schritt %1 von %2</translation>
    </message>
</context>
<context>
    <name>quibo::RecordsWindow</name>
    <message>
        <source>Quibo - Game Records</source>
        <translation>Quibo - Gespeicherte Spiele</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Opponent</source>
        <translation>Gegner</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Open File...</source>
        <translation>Datei öffnen...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Open Game Record</source>
        <translation>Gespeichertes Spiel öffnen</translation>
    </message>
    <message>
        <source>Game records (*.quibo);;All files (*)</source>
        <translation>Gespeicherte Spiele (*.quibo);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 zu %2</translation>
    </message>
    <message>
        <source>Save Game Record</source>
        <translation>Gespeichertes Spiel sichern</translation>
    </message>
    <message>
        <source>Game records (*.quibo)</source>
        <translation>Gespeicherte Spiele (*.quibo)</translation>
    </message>
    <message>
        <source>Quibo</source>
        <translation>Quibo</translation>
    </message>
    <message>
        <source>The record could not be saved as %1.</source>
        <translation>Das Spiel konnte nicht als %1 gespeichert werden.</translation>
    </message>
    <message>
        <source>Damaged</source>
        <translation>Beschädigt</translation>
    </message>
    <message>
        <source>Unfinished</source>
        <translation>Nicht beendet</translation>
    </message>
    <message>
        <source>Abandoned</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>Watched</source>
        <translation>Zugeschaut</translation>
    </message>
    <message>
        <source>Won</source>
        <translation>Gewonnen</translation>
    </message>
    <message>
        <source>Lost</source>
        <translation>Verloren</translation>
    </message>
</context>
<context>
    <name>quibo::ReplayOpener</name>
    <message>
        <source>Quibo</source>
        <translation>Quibo</translation>
    </message>
    <message>
        <source>This game record cannot be replayed: %1</source>
        <translation>Dieses gespeicherte Spiel lässt sich nicht wiederholen: %1</translation>
    </message>
</context>
<context>
    <name>quibo::RecordFile</name>
    <message>
        <source>Line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>The record &quot;%1&quot; %2</source>
        <translation>Die Aufzeichnung „%1“: %2</translation>
    </message>
    <message>
        <source>does not exist.</source>
        <translation>gibt es nicht.</translation>
    </message>
    <message>
        <source>The record &quot;%1&quot; is refused. %2</source>
        <translation>Die Aufzeichnung „%1“ wird abgelehnt. %2</translation>
    </message>
    <message>
        <source>The record does not say when the game was played.</source>
        <translation>Die Aufzeichnung sagt nicht, wann das Spiel gespielt wurde.</translation>
    </message>
    <message>
        <source>The record is empty.</source>
        <translation>Die Aufzeichnung ist leer.</translation>
    </message>
    <message>
        <source>The record is too large to be a game record.</source>
        <translation>Die Datei ist zu groß für eine Spielaufzeichnung.</translation>
    </message>
    <message>
        <source>nothing may follow the result.</source>
        <translation>nach dem Ergebnis darf nichts mehr folgen.</translation>
    </message>
    <message>
        <source>only the result may follow the end of a record.</source>
        <translation>nach dem Ende einer Aufzeichnung darf nur das Ergebnis folgen.</translation>
    </message>
    <message>
        <source>the event is damaged.</source>
        <translation>das Ereignis ist beschädigt.</translation>
    </message>
    <message>
        <source>the event is out of order.</source>
        <translation>das Ereignis steht nicht in zeitlicher Reihenfolge.</translation>
    </message>
    <message>
        <source>the header line is damaged.</source>
        <translation>die Kopfzeile ist beschädigt.</translation>
    </message>
    <message>
        <source>the line is not a header line.</source>
        <translation>die Zeile ist keine Kopfzeile.</translation>
    </message>
    <message>
        <source>the record breaks off inside a line.</source>
        <translation>die Aufzeichnung bricht mitten in einer Zeile ab.</translation>
    </message>
    <message>
        <source>the record ends before its events.</source>
        <translation>die Aufzeichnung endet vor ihren Ereignissen.</translation>
    </message>
    <message>
        <source>the record holds too many events.</source>
        <translation>die Aufzeichnung enthält zu viele Ereignisse.</translation>
    </message>
    <message>
        <source>the record was written by a newer version of Quibo (format %1).</source>
        <translation>die Aufzeichnung stammt von einer neueren Quibo-Version (Format %1).</translation>
    </message>
    <message>
        <source>the record&apos;s version is not readable.</source>
        <translation>die Version der Aufzeichnung ist nicht lesbar.</translation>
    </message>
    <message>
        <source>the result is damaged.</source>
        <translation>das Ergebnis ist beschädigt.</translation>
    </message>
    <message>
        <source>this is not a Quibo game record.</source>
        <translation>das ist keine Quibo-Spielaufzeichnung.</translation>
    </message>
</context>
<context>
    <name>quibo::RecordWriter</name>
    <message>
        <source>The folder &quot;%1&quot; cannot be made.</source>
        <translation>Der Ordner „%1“ kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The game record &quot;%1&quot; cannot be written: %2</source>
        <translation>Die Spielaufzeichnung „%1“ kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>quibo::TableModel</name>
    <message>
        <source>&lt;Waiting&gt;</source>
        <translation>&lt;Wartet&gt;</translation>
    </message>
    <message>
        <source>You</source>
        <translation>Du</translation>
    </message>
</context>
<context>
    <name>quibo::EndGameQuestion</name>
    <message>
        <source>End the running game?</source>
        <translation>Das laufende Spiel beenden?</translation>
    </message>
</context>
</TS>
