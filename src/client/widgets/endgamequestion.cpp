// SPDX-License-Identifier: MIT
#include "endgamequestion.h"

#include "plaintext.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>

namespace quibo {

bool confirmEndingGame(QWidget* parent) {
    QPointer<QWidget> guard(parent);
    QPointer<QMessageBox> box =
        makePlainMessageBox(QMessageBox::Question, QStringLiteral("Quibo"),
                            QCoreApplication::translate("quibo::EndGameQuestion", "End the running game?"),
                            QMessageBox::Yes | QMessageBox::No, parent);
    box->setObjectName(QLatin1String(endGameQuestionName));
    box->setDefaultButton(QMessageBox::No);
    // The box runs its own event loop: the host's messages go on meanwhile and may close the window.
    const int answer = box->exec();
    delete box;
    return !guard.isNull() && answer == QMessageBox::Yes;
}

} // namespace quibo
