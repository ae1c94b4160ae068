// SPDX-License-Identifier: MIT
#include "tabout.h"

#include "commands.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace quibo {

Tabout::Tabout(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Tabout"));
    setWindowTitle(tr("About Quibo"));

    auto* name = new QLabel(QStringLiteral("Quibo"), this);
    name->setObjectName(QStringLiteral("label_name"));
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    name->setFont(big);

    // The login sends this label's text as the program version.
    auto* version = new QLabel(QString::fromLatin1(programVersion), this);
    version->setObjectName(QStringLiteral("version"));

    auto* credits = new QLabel(tr("A word game for two players and their spectators.\n"
                                  "Word lists from SCOWL by Kevin Atkinson and its contributors."),
                               this);
    credits->setObjectName(QStringLiteral("label_credits"));
    credits->setAlignment(Qt::AlignCenter);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name, 0, Qt::AlignHCenter);
    layout->addWidget(version, 0, Qt::AlignHCenter);
    layout->addWidget(credits, 0, Qt::AlignHCenter);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

} // namespace quibo
