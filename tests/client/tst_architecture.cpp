// SPDX-License-Identifier: MIT
// The window keeps its state in the table model: widgets keep the names they were built with, no
// widget's text, place or tooltip is read back as state, and every message a host sends has a
// handler in the window.
#include "errorreport.h"
#include "hostconnection.h"
#include "hostmessages.h"
#include "tchat.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace quibo;

class ArchitectureTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        setErrorReporter([](const QString&) {});
    }
    void everyHostMessageHasAHandler();
    void noWidgetIsRenamedDuringASession();
    void noWidgetIsReadBackAsState();
};

void ArchitectureTest::everyHostMessageHasAHandler() {
    Tchat window;
    QStringList unhandled;
    forEachMessage(HostMessages{}, [&]<class M>() {
        if (window.connection()->handlerCount<M>() == 0) unhandled << QString::fromLatin1(M::command);
    });
    QCOMPARE(unhandled, QStringList());
}

// A seat-2 window through login, a game, the hand-over to seat 3 and a seat change: no object of
// the window changes its name.
void ArchitectureTest::noWidgetIsRenamedDuringASession() {
    Tchat window;
    QStringList renamed;
    for (QObject* object : window.findChildren<QObject*>()) {
        connect(object, &QObject::objectNameChanged, this,
                [&renamed](const QString& name) { renamed << name; });
    }
    const QList<QByteArray> session = {msg::SendLoginInfo{2}.encode(),
                                       msg::ExistingPlayers{1, "Ann"}.encode(),
                                       msg::NewPlayerInfo{2, "Bob"}.encode(),
                                       msg::NewPlayerInfo{3, "Cid"}.encode(),
                                       msg::StartGame{"Ann", 30, 100, 5}.encode(),
                                       msg::NextPlayer{2, 5}.encode(),
                                       msg::PlaceMyLetter{2, 0, 1, 3}.encode(),
                                       msg::Giving3{1, "Cid"}.encode(),
                                       msg::PlayerDisconnected{2, "Bob"}.encode(),
                                       msg::YourSeat{1}.encode(),
                                       msg::Winner{1}.encode()};
    for (const QByteArray& message : session)
        window.connection()->takeBytes(message);
    while (window.connection()->queuedMessages() > 0)
        window.connection()->processsocktimer();
    QCOMPARE(window.mynumber(), 1);
    QCOMPARE(renamed, QStringList());
}

// Reads of text(), toolTip(), geometry() and pos() in the window's sources. Each allowed one is
// listed with its file and why it reads no state: what the player typed into an entry field, a
// window put back as it was built, an event's position, a document's lines.
void ArchitectureTest::noWidgetIsReadBackAsState() {
    const struct {
        const char* file;
        const char* line;
    } allowed[] = {
        {"board/boardpanel.cpp", "score->text()"},            // the options window's entry field
        {"board/tgamestart.cpp", "->text().toInt()"},         // the options the player typed
        {"chat/chatview.cpp", "m_mychat->text()"},            // the line the player typed
        {"chat/tphrases.cpp", "box(number)->text()"},         // the phrases the player typed
        {"chat/chatentry.cpp", "clipboard()->text()"},        // the clipboard
        {"chat/chatpane.cpp", "block.text()"},                // a line of the chat's document
        {"chat/chatpane.cpp", "help->pos()"},                 // a tooltip event's position
        {"widgets/meaningtips.cpp", "help->pos()"},           // a tooltip event's position
        {"widgets/plaintext.cpp", "widget->toolTip()"},       // a tooltip escaped as it is set
        {"settings/clientsettings.cpp", "()->text())"},       // the options the player typed
        {"windows/tspylist.cpp", "menuEvent->pos()"},         // a menu event's position
        {"windows/tdownload.cpp", "->text().trimmed()"},      // the name and address typed
        {"windows/windowreset.cpp", ""},                      // puts widgets back as built
        {"tally/ttallylist.cpp", "item(i)->text()"},          // the followed names, a list the player edits
        {"tally/ttallylist.cpp", "item->text()"},             // the name of the chosen entry
        {"windows/passwordprompt.cpp", "m_password->text()"}, // the password the player typed
        {"windows/tdownload.cpp", "m_password->text()"},      // the password the player typed
        {"board/boardkeys.cpp", "tile->geometry()"},          // where the focus ring is drawn
        {"settings/windowplacement.cpp", "Geometry()"},       // the window's place, to be remembered
        {"widgets/scalinglayout.cpp", "geometry()"},          // the layout takes each design rectangle
    };
    const QRegularExpression read(QStringLiteral(R"((->|\.)(text|toolTip|geometry|pos)\(\))"));
    QStringList found;
    QDirIterator it(QStringLiteral(QUIBO_CLIENT_SOURCE_DIR), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = path.mid(qsizetype(qstrlen(QUIBO_CLIENT_SOURCE_DIR)) + 1);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        int number = 0;
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine());
            ++number;
            if (!read.match(line).hasMatch() || line.trimmed().startsWith(QLatin1String("//"))) continue;
            bool ok = false;
            for (const auto& entry : allowed)
                ok =
                    ok || (relative == QLatin1String(entry.file) && line.contains(QLatin1String(entry.line)));
            if (!ok) found << QStringLiteral("%1:%2: %3").arg(relative).arg(number).arg(line.trimmed());
        }
    }
    QCOMPARE(found, QStringList());
}

QTEST_MAIN(ArchitectureTest)
#include "tst_architecture.moc"
