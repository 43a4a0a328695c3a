#pragma once

#include <QLocale>
#include <QTranslator>
#include <memory>
#include <vector>

class QCoreApplication;

// The translators installed at start-up. The caller keeps this alive for as
// long as the translations are wanted.
struct InstalledTranslators {
    // Qt's own Chinese catalogues (message-box buttons, text views' context
    // menus, file dialogs, socket, serial port and Bluetooth errors), from
    // the toolkit's translations folder; only on a Chinese locale, and only
    // those that load.
    std::vector<std::unique_ptr<QTranslator>> toolkit;
    std::unique_ptr<QTranslator> fixedLanguage; // :/transEnglish.qm or :/transSimpleChinese.qm
    std::unique_ptr<QTranslator> localeCatalogue; // :/i18n/<name>.qm, only when it loads
};

// Installs the catalogues that fit the given locale: on a Chinese locale
// the toolkit's simplified Chinese catalogues first (so the program's own
// entries win where both have one), then the fixed-language catalogue chosen
// by its language (English or Chinese; nothing for other languages), then
// the locale catalogue named after it, when one exists.
InstalledTranslators installTranslators(QCoreApplication *app, const QLocale &locale);
