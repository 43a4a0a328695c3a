#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace {
// The toolkit's modules whose texts the program shows.
const char *const kToolkitCatalogues[] = {"qtbase", "qtserialport", "qtconnectivity", "qtwebengine"};
} // namespace

InstalledTranslators installTranslators(QCoreApplication *app, const QLocale &locale)
{
    InstalledTranslators out;
    const QLocale::Language language = locale.language();
    if (language == QLocale::Chinese) {
        // The program speaks simplified Chinese to every Chinese locale; the
        // toolkit's texts beside its own follow it.
        const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        for (const char *module : kToolkitCatalogues) {
            auto translator = std::make_unique<QTranslator>();
            if (translator->load(QLatin1String(module) + QStringLiteral("_zh_CN"), folder)) {
                app->installTranslator(translator.get());
                out.toolkit.push_back(std::move(translator));
            }
        }
    }
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
