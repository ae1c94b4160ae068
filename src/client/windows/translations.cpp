// SPDX-License-Identifier: MIT
#include "translations.h"

#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QTranslator>

namespace quibo {
namespace {

Q_LOGGING_CATEGORY(lcTranslations, "quibo.client.translations")

// Loads name_<language>.qm from the folder for the locale; answers the translator or nullptr.
QTranslator* load(QCoreApplication& app, const QLocale& locale, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&app);
    if (translator->load(locale, name, QStringLiteral("_"), folder) && app.installTranslator(translator))
        return translator;
    delete translator;
    return nullptr;
}

} // namespace

bool installTranslations(QCoreApplication& app, const QLocale& locale) {
    // English is the source: no file, and no Qt translation either, so the boxes match the windows.
    if (locale.language() == QLocale::English || locale.language() == QLocale::C) return false;
    QTranslator* own = load(app, locale, QStringLiteral("quibo"), QStringLiteral(":/i18n"));
    if (!own) {
        qCDebug(lcTranslations) << "no translation for" << locale.uiLanguages();
        return false;
    }
    if (!load(app, locale, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        qCDebug(lcTranslations) << "no Qt translation for" << locale.name();
    return true;
}

} // namespace quibo
