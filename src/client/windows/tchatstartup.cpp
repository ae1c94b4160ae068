// SPDX-License-Identifier: MIT
// Start-up of the player window: the command line decides between hosting, joining and solo play.
#include "boardpanel.h"
#include "errorreport.h"
#include "hostconnection.h"
#include "tchat.h"

#include <QAction>
#include <QPushButton>

namespace quibo {

namespace {

// Positions on the command line (position 0, the program, is not passed in).
constexpr int nameParameter = 1;
constexpr int addressParameter = 2;
constexpr int hostFlagParameter = 3;
constexpr int giveFlagParameter = 4;

} // namespace

void Tchat::processparams() {
    if (QWidget* give = m_area->findChild<QWidget*>(QStringLiteral("button_give"))) give->hide();
    setStartControlsVisible(false);

    if (m_parameters.isEmpty()) {
        addlinetochat(tr("Loading Solo Game..Please wait."), colorStatus);
        if (m_download) m_download->show();
        m_hostaddress = QStringLiteral("127.0.0.1");
        m_myname = QStringLiteral("You");
        hostpress();
        return;
    }

    addlinetochat(tr("Press CONTROL-I in order to see QUICK INSTRUCTIONS!"), colorStatus);
    addlinetochat(tr("Loading Multi-player Game.. Please Wait."), colorStatus);
    QString name;
    QString address;
    for (int position = 1; position <= m_parameters.size(); ++position) {
        const QString& parameter = m_parameters.at(position - 1);
        if (position == nameParameter) {
            name = parameter;
        } else if (position == addressParameter) {
            address = parameter;
        } else if (position == hostFlagParameter) {
            m_myname = name;
            m_hostaddress = address;
            const bool connecting = parameter == QLatin1String("true") ? hostpress() : joinpress();
            if (!connecting) return;
            openSideChannel();
        } else if (position == giveFlagParameter && parameter == QLatin1String("t")) {
            if (QWidget* give = m_area->findChild<QWidget*>(QStringLiteral("button_give"))) give->show();
        }
    }
}

bool Tchat::hostpress() {
    try {
        if (m_hostStarter) m_hostStarter();
    } catch (const ESockException& error) {
        const QString reason = QString::fromUtf8(error.what());
        addlinetochat(tr("Could not start the game host: %1").arg(reason), colorStatus);
        reportError(reason);
        return false;
    }
    m_ishost = true;
    updateSeatViews();
    m_connection->setAddress(QStringLiteral("127.0.0.1"), m_gamePort);
    if (!openConnection()) return false;
    enableHostControls();
    return true;
}

bool Tchat::joinpress() {
    updateSeatViews();
    m_connection->setAddress(m_hostaddress, m_gamePort);
    setStartControlsVisible(false);
    return openConnection();
}

bool Tchat::openConnection() {
    try {
        m_connection->open();
    } catch (const ESockException& error) {
        const QString reason = QString::fromUtf8(error.what());
        connectionFailed(reason);
        reportError(reason);
        return false;
    }
    return true;
}

} // namespace quibo

namespace quibo {

void Tchat::openSideChannel() {
    try {
        m_sock11->Open();
    } catch (const ESockException& error) {
        qCInfo(lcClient) << "Side connection not opened:" << error.what();
    }
}

} // namespace quibo
