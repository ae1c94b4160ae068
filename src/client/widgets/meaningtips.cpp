// SPDX-License-Identifier: MIT
#include "meaningtips.h"

#include "wordmeanings.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace quibo {

MeaningTips::MeaningTips(WordMeanings* meanings, QObject* parent)
    : QObject(parent)
    , m_meanings(meanings) {}

QString MeaningTips::toolTipFor(const QString& word) const {
    if (!m_meanings || word.trimmed().isEmpty()) return {};
    const QByteArray asked = word.trimmed().toUtf8();
    const QList<WordSense> senses = m_meanings->senses(asked);
    if (senses.isEmpty()) return {};
    QString tip = QStringLiteral("<b>") + word.trimmed().toUpper().toHtmlEscaped() + QStringLiteral("</b>");
    for (const WordSense& sense : senses)
        tip += QStringLiteral("<br>") + senseLine(sense, asked).toHtmlEscaped();
    return tip;
}

QString MeaningTips::firstMeaning(const QString& word) const {
    if (!m_meanings || word.trimmed().isEmpty()) return {};
    const QByteArray asked = word.trimmed().toLower().toUtf8();
    const QList<WordSense> senses = m_meanings->senses(asked, 1);
    return senses.isEmpty() ? QString() : senseLine(senses.first(), asked);
}

QStringList MeaningTips::defineLines(const QString& word) const {
    const QString asked = word.simplified();
    if (asked.isEmpty()) return {tr("Type /define and a word to see what it means.")};
    if (!m_meanings || !m_meanings->isInstalled())
        return {tr("No dictionary of meanings is installed (Debian package wordnet-base).")};
    const QList<WordSense> senses = m_meanings->senses(asked.toUtf8());
    if (senses.isEmpty()) return {tr("No meaning found for %1.").arg(asked.toUpper())};
    QStringList lines;
    for (const WordSense& sense : senses)
        lines << asked.toUpper() + QStringLiteral(", ") + senseLine(sense, asked.toUtf8());
    return lines;
}

void MeaningTips::watch(QAbstractItemView* view) {
    if (!view) return;
    view->viewport()->installEventFilter(this);
    // The summary is a tool window that seldom holds the focus: its words explain themselves as well.
    view->viewport()->setAttribute(Qt::WA_AlwaysShowToolTips);
}

bool MeaningTips::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QObject::eventFilter(watched, event);
    auto* viewport = qobject_cast<QWidget*>(watched);
    auto* view = viewport ? qobject_cast<QAbstractItemView*>(viewport->parentWidget()) : nullptr;
    if (!view) return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = toolTipFor(view->indexAt(help->pos()).data(wordRole).toString());
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, viewport);
    return true;
}

} // namespace quibo
