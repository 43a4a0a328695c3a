#include "translations.h"

#include <QCoreApplication>

InstalledTranslators installTranslators(QCoreApplication *app, const QLocale &locale)
{
    InstalledTranslators out;
    const QLocale::Language language = locale.language();
    if (language == QLocale::English || language == QLocale::Chinese) {
        out.fixedLanguage = std::make_unique<QTranslator>();
        // The result is not needed: a catalogue that does not load leaves an
        // empty translator and the English source texts.
        (void)out.fixedLanguage->load(language == QLocale::English ? QStringLiteral(":/transEnglish.qm")
                                                                   : QStringLiteral(":/transSimpleChinese.qm"));
        app->installTranslator(out.fixedLanguage.get());
    }
    auto localeTranslator = std::make_unique<QTranslator>();
    if (localeTranslator->load(QStringLiteral(":/i18n/") + locale.name() + QStringLiteral(".qm"))) {
        app->installTranslator(localeTranslator.get());
        out.localeCatalogue = std::move(localeTranslator);
    }
    return out;
}
