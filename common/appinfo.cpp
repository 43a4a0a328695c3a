#include "appinfo.h"

namespace AppInfo {
namespace {
QString &homePageOverride()
{
    static QString address;
    return address;
}
} // namespace

QString homePage()
{
    return homePageOverride().isEmpty() ? QString::fromLatin1(kHomePage) : homePageOverride();
}

void overrideHomePageForTests(const QString &address) { homePageOverride() = address; }
} // namespace AppInfo
