#pragma once

#include <QLocale>
#include <QTranslator>
#include <memory>

class QCoreApplication;

// The translators installed at start-up. The caller keeps this alive for as
// long as the translations are wanted.
struct InstalledTranslators {
    std::unique_ptr<QTranslator> fixedLanguage; // :/transEnglish.qm or :/transSimpleChinese.qm
    std::unique_ptr<QTranslator> localeCatalogue; // :/i18n/<name>.qm, only when it loads
};

// Installs the catalogues that fit the given locale: the fixed-language
// catalogue chosen by its language (English or Chinese; nothing for other
// languages), then the locale catalogue named after it, when one exists.
InstalledTranslators installTranslators(QCoreApplication *app, const QLocale &locale);
