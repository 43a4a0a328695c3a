#pragma once

#include <QString>
// Program identity and the maker's addresses, kept in one place.
// The maker's server lives under a reserved example domain.

namespace AppInfo {
constexpr int kVersionMajor = 3;
constexpr int kVersionMinor = 4;
constexpr int kVersionPatch = 2;

// Appended to the window title, each preceded by two blanks.
constexpr const char *kMakerWebAddress = "https://www.example.com";
constexpr const char *kStoreAddress1 = "https://store.example.com";
constexpr const char *kStoreAddress2 = "https://shop.example.org";

// Home page shown on the "More" tab.
constexpr const char *kHomePage = "https://www.example.com/";

// Update check: the version file is fetched over HTTPS from this base plus
// "/software/VELM_VERSION"; the download page is opened in the browser.
constexpr const char *kUpdateBase = "https://www.example.com";
constexpr const char *kDownloadPage = "http://www.example.com/software";

// The address the "More" tab loads: kHomePage unless a test replaced it.
QString homePage();
void overrideHomePageForTests(const QString &address);

// Converter page: the daily euro reference rates are fetched over HTTPS
// from this base plus "/stats/eurofxref/eurofxref-daily.xml".
constexpr const char *kCurrencyFeedBase = "https://www.ecb.europa.eu";

// The one settings file, relative to the working directory.
constexpr const char *kSettingsFile = "velm_config.ini";
} // namespace AppInfo
