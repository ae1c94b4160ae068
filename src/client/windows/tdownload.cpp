// SPDX-License-Identifier: MIT
#include "tdownload.h"

#include "hostaddress.h"
#include "joinaddresses.h"
#include "plaintext.h"
#include "privateprofile.h"
#include "tablelist.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace quibo {

Q_DECLARE_LOGGING_CATEGORY(lcClient)

namespace {

// The start window's texts and choices, scrolled when the screen is too small for them. It asks for
// the height its page needs at a width, as a word-wrapped label does, so that the window opens as
// tall as the page where the screen has room and no taller than the screen where it has not.
class StartPage : public QScrollArea {
public:
    explicit StartPage(QWidget* page, QWidget* parent)
        : QScrollArea(parent) {
        setObjectName(QStringLiteral("scroll_start"));
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setWidget(page);
    }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int across) const override {
        const QLayout* inside = widget()->layout();
        return inside->hasHeightForWidth() ? inside->totalHeightForWidth(across)
                                           : inside->totalSizeHint().height();
    }
    QSize sizeHint() const override {
        const int across = widget()->sizeHint().width() + verticalScrollBar()->sizeHint().width();
        return {across, heightForWidth(across)};
    }
};

} // namespace

Tdownload::Tdownload(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Tdownload"));
    setWindowTitle(tr("Host or Join a Game"));
    setModal(false);

    auto* page = new QWidget;
    auto* text = new QLabel(page);
    text->setObjectName(QStringLiteral("label_howto"));
    text->setWordWrap(true);
    text->setTextFormat(Qt::RichText);
    text->setText(
        tr("<p>To play against another person, one of you hosts a table and the other joins it; "
           "more people may join to watch. Without a table, Quibo plays a solo game against the "
           "computer.</p>"
           "<p>Type your name, then host a table or join one: Quibo starts again in that mode, as "
           "the Kivo22 Lobby or the command line would start it:</p>"
           "<ul><li>to host as Ann: <code>quibo Ann 192.168.1.5 true</code></li>"
           "<li>to join the table at 192.168.1.5 as Bob: <code>quibo Bob 192.168.1.5</code></li>"
           "<li>on another port, or at an IPv6 address: <code>quibo Bob 192.168.1.5:7800</code>, "
           "<code>quibo Bob [2001:db8::1]:7800</code></li></ul>"
           "<p>A table link (quibo://192.168.1.5:7772, File &gt; Copy Table Link) may be pasted as the "
           "address. A table with a password is private: only who knows it joins.</p>"
           "<p>The copy that hosts always plays as player 1 and starts the games.</p>"));

    auto* nameRow = new QFormLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("edit_name"));
    m_name->setMaxLength(40);
    nameRow->addRow(tr("Your name:"), m_name);
    auto* soloNote =
        makePlainLabel(tr("In a solo game nobody else sees it; without a name you are \"You\"."), this);
    soloNote->setObjectName(QStringLiteral("label_soloname"));
    soloNote->setWordWrap(true);
    nameRow->addRow(QString(), soloNote);

    m_problem = makePlainLabel(QString(), this);
    m_problem->setObjectName(QStringLiteral("label_problem"));
    m_problem->setStyleSheet(QStringLiteral("color: #C00000;"));
    m_problem->hide();

    auto* solo = new QPushButton(tr("Play Solo Game"), this);
    solo->setObjectName(QStringLiteral("button_solo"));
    solo->setDefault(true);
    connect(solo, &QPushButton::clicked, this, &Tdownload::button_soloClick);

    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 8, 0); // clear of the scroll bar
    pageLayout->addWidget(text);
    pageLayout->addLayout(nameRow);
    pageLayout->addWidget(createHostBox());
    pageLayout->addWidget(createJoinBox());
    pageLayout->addStretch(1);

    // The problem and the solo button stay in sight below the page, however it is scrolled.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new StartPage(page, this), 1);
    layout->addWidget(m_problem);
    layout->addWidget(solo, 0, Qt::AlignRight);
    setMinimumWidth(460);
    setPort(m_port);
}

QWidget* Tdownload::createHostBox() {
    auto* box = new QGroupBox(tr("Host a table"), this);
    m_addresses = makePlainLabel(QString(), box);
    m_addresses->setObjectName(QStringLiteral("label_addresses"));
    m_addresses->setWordWrap(true);
    m_addresses->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_dictionary = new QComboBox(box);
    m_dictionary->setObjectName(QStringLiteral("combo_dictionary"));
    m_dictionary->addItem(tr("Standard"), QStringLiteral("standard"));
    m_dictionary->addItem(tr("Large (rare words too)"), QStringLiteral("large"));
    m_password = new QLineEdit(box);
    m_password->setObjectName(QStringLiteral("edit_password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(200);
    m_password->setPlaceholderText(tr("none: anybody may join"));
    auto* listRow = new QFormLayout;
    listRow->addRow(tr("Word list:"), m_dictionary);
    listRow->addRow(tr("Password:"), m_password);
    auto* host = new QPushButton(tr("Host a Table"), box);
    host->setObjectName(QStringLiteral("button_host"));
    connect(host, &QPushButton::clicked, this, &Tdownload::button_hostClick);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(m_addresses);
    layout->addLayout(listRow);
    layout->addWidget(host, 0, Qt::AlignRight);
    return box;
}

QWidget* Tdownload::createJoinBox() {
    auto* box = new QGroupBox(tr("Join a table"), this);
    m_address = new QLineEdit(box);
    m_address->setObjectName(QStringLiteral("edit_address"));
    m_address->setPlaceholderText(QStringLiteral("192.168.1.5"));
    auto* join = new QPushButton(tr("Join the Table"), box);
    join->setObjectName(QStringLiteral("button_join"));
    connect(join, &QPushButton::clicked, this, &Tdownload::button_joinClick);
    connect(m_address, &QLineEdit::returnPressed, this, &Tdownload::button_joinClick);
    // A table chosen from the list is joined as if its address had been typed.
    auto* tables = new TableList(box);
    connect(tables, &TableList::tableChosen, this, [this](const QString& address) {
        m_address->setText(address);
        button_joinClick();
    });
    auto* layout = new QFormLayout(box);
    layout->addRow(tables);
    layout->addRow(tr("Host's address:"), m_address);
    layout->addRow(join);
    return box;
}

namespace {

// The program's command line carries the name and the address; one that begins with "-" would be
// read as an option there.
bool looksLikeOption(const QString& text) {
    return text.trimmed().startsWith(u'-');
}

} // namespace

void Tdownload::setSettings(const SettingsFile& settings) {
    m_settings = settings;
    m_savedProblem.clear();
    for (const auto& [key, field] : {std::pair{nameKey, m_name}, std::pair{addressKey, m_address}}) {
        const QString saved = settings.read(QLatin1String(key), QString());
        if (looksLikeOption(saved)) {
            m_savedProblem = tr("\"%1\" in the settings file begins with \"-\" and is not used: names and "
                                "addresses may not begin with \"-\".")
                                 .arg(saved);
            field->clear();
            continue;
        }
        field->setText(saved);
    }
    m_rememberedName = m_name->text().trimmed();
    const int list = m_dictionary->findData(settings.read(QLatin1String(dictionaryKey), QString()));
    m_dictionary->setCurrentIndex(std::max(list, 0));
}

void Tdownload::setPort(quint16 port) {
    m_port = port;
    m_addresses->setText(
        tr("The others join your table at %1.").arg(joinAddressesText(joinAddresses(), port)));
}

QStringList Tdownload::hostCommandLine(const QString& name) {
    // The hosting copy's own window connects to itself; the address is not used.
    return {name, QStringLiteral("127.0.0.1"), QStringLiteral("true")};
}

QStringList Tdownload::joinCommandLine(const QString& name, const QString& address) {
    return {name, address, QStringLiteral("false")};
}

void Tdownload::offer(const QString& name, const QString& address) {
    if (!name.isEmpty()) m_name->setText(name);
    if (!address.isEmpty()) m_address->setText(address);
    m_problem->setText(m_savedProblem);
    m_problem->setVisible(!m_savedProblem.isEmpty());
    fitToText();
    show();
    raise();
    activateWindow();
}

void Tdownload::fitToText() {
    // Left to itself the toolkit gives a new window at most two thirds of the screen's height, which
    // at a large scale factor cuts the wrapped text short: the window is as tall as its text needs
    // at its width, within the screen.
    const int across = std::max(width(), sizeHint().width());
    int tall = std::max(sizeHint().height(),
                        layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(across) : 0);
    // Beyond the screen's height the page scrolls; a frame already drawn around the window counts.
    if (const QScreen* shown = screen())
        tall = std::min(tall, shown->availableGeometry().height() - (frameGeometry().height() - height()));
    resize(across, tall);
}

QString Tdownload::chosenName() {
    const QString name = m_name->text().trimmed();
    if (name.isEmpty()) {
        m_problem->setText(tr("Type your name first."));
        m_problem->show();
        m_name->setFocus();
    } else if (looksLikeOption(name)) {
        m_problem->setText(tr("A name may not begin with \"-\"."));
        m_problem->show();
        m_name->setFocus();
        return QString();
    }
    return name;
}

void Tdownload::remember(const char* key, const QString& value) {
    if (!m_settings) return;
    try {
        m_settings->write(QLatin1String(key), value);
    } catch (const ProfileWriteError& error) {
        // Not remembering a name is no reason to keep the player from the table.
        qCWarning(lcClient) << "start window:" << error.what();
    }
}

void Tdownload::button_soloClick() {
    const QString name = m_name->text().trimmed();
    // No name is no problem here: the solo seat is "You" then.
    if (!name.isEmpty() && !looksLikeOption(name) && name != m_rememberedName) {
        remember(nameKey, name);
        m_rememberedName = name;
        Q_EMIT soloNameChosen(name);
    }
    close();
}

void Tdownload::button_hostClick() {
    const QString name = chosenName();
    if (name.isEmpty()) return;
    remember(nameKey, name);
    remember(dictionaryKey, m_dictionary->currentData().toString());
    close();
    Q_EMIT startRequested(hostCommandLine(name));
}

QString Tdownload::hostPassword() const {
    return m_password->text();
}

void Tdownload::button_joinClick() {
    const QString name = chosenName();
    if (name.isEmpty()) return;
    QString address = m_address->text().trimmed();
    if (address.isEmpty()) {
        m_problem->setText(tr("Type the host's address: the hosting player sees it in the chat."));
        m_problem->show();
        m_address->setFocus();
        return;
    }
    // A table link pasted into the field joins the table it names.
    QString problem;
    const std::optional<HostAndPort> parsed =
        looksLikeTableLink(address) ? parseTableLink(address, &problem) : parseHostAddress(address, &problem);
    if (!parsed) {
        m_problem->setText(problem);
        m_problem->show();
        m_address->setFocus();
        return;
    }
    if (looksLikeTableLink(address))
        address = parsed->port ? addressWithPort(parsed->host, *parsed->port) : parsed->host;
    remember(nameKey, name);
    remember(addressKey, address);
    close();
    Q_EMIT startRequested(joinCommandLine(name, address));
}

} // namespace quibo
