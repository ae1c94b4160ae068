// SPDX-License-Identifier: MIT
// The player window at a private table (asking for its password when the host wants one) and the
// table's link: copying it, and joining from one.
#include "hostaddress.h"
#include "hostconnection.h"
#include "joinaddresses.h"
#include "passwordprompt.h"
#include "tchat.h"

#include <QClipboard>
#include <QGuiApplication>

namespace quibo {

void Tchat::passwordneeded(const msg::PasswordNeeded& m) {
    // The host closes the connection right after; then the player is asked.
    m_passwordRefusal = m.reason;
    m_isconnected = false;
    updateSeatViews();
    const QString line =
        m.reason == msg::PasswordNeeded::Needed ? tr("This table is private: it needs a password.")
        : m.reason == msg::PasswordNeeded::TooManyTries
            ? tr("The host refuses passwords from your address for a minute: too many were wrong.")
            : tr("The host did not accept the password.");
    addlinetochat(line, colorStatus);
}

void Tchat::askForPassword(int reason) {
    auto* prompt = qobject_cast<PasswordPrompt*>(m_passwordPrompt.data());
    if (!prompt) {
        prompt = new PasswordPrompt(this);
        m_passwordPrompt = prompt;
        connect(prompt, &PasswordPrompt::passwordGiven, this, &Tchat::passwordGiven);
        connect(prompt, &PasswordPrompt::givenUp, this, [this] {
            // The player stays with the chat and may host or join elsewhere.
            m_passwordRefusal = -1;
            tableLeft();
        });
    }
    prompt->ask(reason);
}

void Tchat::passwordGiven(const QString& password) {
    m_setup.tablePassword = password;
    m_passwordRefusal = -1;
    // A new connection: the host greets it, and the login follows the password.
    m_connection->setAddress(m_connectHost, m_connectPort);
    openConnection();
}

void Tchat::joinFromLink(const QString& link) {
    QString problem;
    const std::optional<HostAndPort> address = parseTableLink(link, &problem);
    if (!address) {
        // A link comes from anybody: a bad one is named and then nothing of it is used.
        addlinetochat(tr("This table link cannot be used: %1").arg(problem), colorStatus);
        Q_EMIT noticeRequested(tr("This table link cannot be used: %1").arg(problem));
        openStartWindow(QString(), QString());
        playSolo();
        return;
    }
    m_hostaddress = address->port ? addressWithPort(address->host, *address->port) : address->host;
    // The name to join with is the one the player last used; without one, the start window asks for
    // it with the address filled in, over a solo game as at a start without a command line.
    if (m_setup.rememberedName.isEmpty() || m_setup.rememberedName.startsWith(u'-')) {
        addlinetochat(tr("Type your name in the start window to join the table at %1.").arg(m_hostaddress),
                      colorStatus);
        openStartWindow(QString(), m_hostaddress);
        playSolo();
        return;
    }
    m_myname = m_setup.rememberedName;
    if (joinpress()) openSideChannel();
}

QString Tchat::tableLinkText() const {
    if (m_connectHost.isEmpty() || m_connectPort == 0) return QString();
    // The hosting copy's own window connects over the loop-back address; the others reach the
    // table at this machine's first address on the game port.
    if (m_ishost) return tableLink(joinAddresses().constFirst(), m_setup.gamePort);
    return tableLink(m_connectHost, m_connectPort);
}

void Tchat::copyTableLink() {
    const QString link = tableLinkText();
    if (link.isEmpty()) return;
    QGuiApplication::clipboard()->setText(link);
    addlinetochat(tr("The table link %1 is on the clipboard: others open it to join.").arg(link),
                  colorStatus);
}

} // namespace quibo
