// SPDX-License-Identifier: MIT
#include "passwordprompt.h"

#include "plaintext.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quibo {

PasswordPrompt::PasswordPrompt(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("PasswordPrompt"));
    setWindowTitle(tr("Private Table"));
    setModal(false);
    m_reason = makePlainLabel(QString(), this);
    m_reason->setObjectName(QStringLiteral("label_reason"));
    m_reason->setWordWrap(true);
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("edit_password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(200);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* join = buttons->addButton(tr("Join"), QDialogButtonBox::AcceptRole);
    join->setObjectName(QStringLiteral("button_join"));
    join->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::accepted, this, [this] {
        // An empty password is no try at all: ask again.
        if (m_password->text().isEmpty()) {
            show();
            return;
        }
        Q_EMIT passwordGiven(m_password->text());
    });
    connect(this, &QDialog::rejected, this, &PasswordPrompt::givenUp);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_reason);
    layout->addWidget(m_password);
    layout->addWidget(buttons);
}

void PasswordPrompt::ask(int reason) {
    switch (reason) {
    case msg::PasswordNeeded::Needed:
        m_reason->setText(tr("This table is private. Type its password (the hosting player knows it)."));
        break;
    case msg::PasswordNeeded::TooManyTries:
        m_reason->setText(tr("Too many wrong passwords came from your address. Wait a minute, then "
                             "type the table's password again."));
        break;
    default:
        m_reason->setText(tr("That was not the table's password. Type it again."));
        break;
    }
    m_password->clear();
    m_password->setFocus();
    open();
}

} // namespace quibo
