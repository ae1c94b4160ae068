// SPDX-License-Identifier: MIT
// The window keeps its state in the table model: widgets keep the names they were built with, no
// widget's text, place or tooltip is read back as state, and every message a host sends has a
// handler in the window; the main window and its board keep few public members.
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
    void mainClassesKeepFewPublicMembers();
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

// The public declarations of a class in a header, one entry per declaration (a method, a datum, a
// type, an enum); signals, the constructor, the destructor and overrides are not among them.
static QStringList publicMembers(const QString& header, const QString& className) {
    QString text = header;
    text.remove(QRegularExpression(QStringLiteral(R"(//[^\n]*)")));
    const qsizetype start = text.indexOf(QStringLiteral("class %1 ").arg(className));
    if (start < 0) return {QStringLiteral("no class %1").arg(className)};
    const QRegularExpression section(QStringLiteral(R"(\b(public|protected|private|Q_SIGNALS)\s*:)"));
    QStringList members;
    QString declaration;
    bool inPublic = false;
    int depth = 0;
    for (qsizetype i = text.indexOf(u'{', start) + 1; i < text.size() && depth >= 0; ++i) {
        const QChar c = text.at(i);
        if (depth == 0 && c.isLetter() && (i == 0 || !text.at(i - 1).isLetterOrNumber())) {
            const auto label = section.match(text, i, QRegularExpression::NormalMatch,
                                             QRegularExpression::AnchorAtOffsetMatchOption);
            if (label.hasMatch()) {
                inPublic = label.captured(1) == QLatin1String("public");
                declaration.clear();
                i = label.capturedEnd() - 1;
                continue;
            }
        }
        if (c == u'{') ++depth;
        if (c == u'}') --depth;
        if (depth < 0) break;
        declaration += c;
        const bool ended = depth == 0 && (c == u';' || (c == u'}' && declaration.contains(u'(')));
        if (!ended) continue;
        const QString d = declaration.simplified();
        declaration.clear();
        if (!inPublic || d == QLatin1String(";") || d.contains(QLatin1String("override")) ||
            d.contains(QLatin1String("Q_OBJECT")))
            continue;
        if (QRegularExpression(QStringLiteral(R"(^(explicit\s+)?~?%1\s*\()").arg(className))
                .match(d)
                .hasMatch())
            continue;
        members << d.left(60);
    }
    return members;
}

// The main window and its board stay small enough to read: whatever grows is a class of its own.
void ArchitectureTest::mainClassesKeepFewPublicMembers() {
    constexpr int limit = 25;
    const struct {
        const char* file;
        const char* className;
    } classes[] = {{"windows/tchat.h", "Tchat"}, {"board/boardpanel.h", "BoardPanel"}};
    for (const auto& c : classes) {
        QFile file(QStringLiteral(QUIBO_CLIENT_SOURCE_DIR "/") + QLatin1String(c.file));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList members =
            publicMembers(QString::fromUtf8(file.readAll()), QLatin1String(c.className));
        if (members.size() > limit) qWarning().noquote() << members.join(QLatin1Char('\n'));
        QVERIFY2(members.size() <= limit,
                 qPrintable(QStringLiteral("%1 has %2 public members").arg(c.className).arg(members.size())));
    }

    // The count itself: one past the limit fails, methods with bodies, enums and data count once each.
    QString header = QStringLiteral(
        "class Probe : public QObject {\n    Q_OBJECT\npublic:\n    explicit Probe();\n"
        "    ~Probe() override;\n    enum class Mode { A, B };\n    int f() const { return 1; }\n");
    for (int k = 0; k < limit - 2; ++k)
        header += QStringLiteral("    void m%1(int a, int b);\n").arg(k);
    const QString tail = QStringLiteral(
        "Q_SIGNALS:\n    void changed();\nprivate:\n    void hidden();\n    int m_x = 0;\n};\n");
    QCOMPARE(publicMembers(header + tail, QStringLiteral("Probe")).size(), limit);
    QCOMPARE(publicMembers(header + QStringLiteral("    static constexpr int extra = 1;\n") + tail,
                           QStringLiteral("Probe"))
                 .size(),
             limit + 1);
}

QTEST_MAIN(ArchitectureTest)
#include "tst_architecture.moc"
