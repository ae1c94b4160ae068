// SPDX-License-Identifier: MIT
#include "tphrases.h"

#include "errorreport.h"
#include "phrasebuttons.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quibo {

Tphrases::Tphrases(PhraseButtons& buttons, SettingsFile file, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_buttons(buttons)
    , m_file(std::move(file)) {
    setObjectName(QStringLiteral("phrases"));
    setWindowTitle(tr("Quibo - Phrase Buttons"));
    auto* form = new QFormLayout;
    for (int number = 1; number <= PhraseButtons::count; ++number) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("phrase%1").arg(number));
        box->setMaxLength(maxPhraseLength);
        box->setMinimumWidth(260);
        form->addRow(tr("Phrase Button %1:").arg(number), box);
        m_boxes[size_t(number - 1)] = box;
    }
    auto* done = new QPushButton(tr("Done"), this);
    done->setObjectName(QStringLiteral("SelButton8"));
    connect(done, &QPushButton::clicked, this, &Tphrases::SelButton8Click);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(done, 0, Qt::AlignRight);
}

void Tphrases::PrhaseList1Click() {
    for (int number = 1; number <= PhraseButtons::count; ++number)
        box(number)->setText(m_buttons.phrase(number));
    show();
    raise();
    activateWindow();
}

void Tphrases::SelButton8Click() {
    for (int number = 1; number <= PhraseButtons::count; ++number)
        m_buttons.setPhrase(number, box(number)->text());
    try {
        for (int number = 1; number <= PhraseButtons::count; ++number)
            m_file.write(QStringLiteral("Phrase%1").arg(number), box(number)->text());
    } catch (const ProfileWriteError& error) {
        reportError(error.message());
        return; // the buttons keep the new phrases; the editor stays open
    }
    hide();
}

} // namespace quibo
