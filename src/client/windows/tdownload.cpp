// SPDX-License-Identifier: MIT
#include "tdownload.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quibo {

Tdownload::Tdownload(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Tdownload"));
    setWindowTitle(tr("Play Quibo with Friends"));
    setModal(false);

    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("label_howto"));
    text->setWordWrap(true);
    text->setTextFormat(Qt::RichText);
    text->setText(tr("<p>You are about to play a solo game against the computer.</p>"
                     "<p>To play against other people, start Quibo from the Kivo22 Lobby: it starts the "
                     "game for everybody at the table.</p>"
                     "<p>You can also start a game yourself from the command line with your name, the "
                     "address of the computer that hosts the game, and <code>true</code> on the copy "
                     "that hosts it:</p>"
                     "<ul><li>to host: <code>quibo Ann 192.168.1.5 true</code></li>"
                     "<li>to join: <code>quibo Bob 192.168.1.5</code></li></ul>"
                     "<p>The host's address is the one the others connect to (port 7772); the copy that "
                     "hosts always plays as player 1.</p>"));

    auto* solo = new QPushButton(tr("Play Solo Game"), this);
    solo->setObjectName(QStringLiteral("button_solo"));
    solo->setDefault(true);
    connect(solo, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(solo, 0, Qt::AlignRight);
    setMinimumWidth(420);
}

} // namespace quibo
