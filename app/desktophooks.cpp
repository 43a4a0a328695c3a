#include "desktophooks.h"

#include <QDesktopServices>
#include <QProcess>

namespace DesktopHooks {
namespace {
Starter &starterRef()
{
    static Starter starter;
    return starter;
}
UrlOpener &openerRef()
{
    static UrlOpener opener;
    return opener;
}
} // namespace

void setStarter(Starter starter) { starterRef() = std::move(starter); }
void setUrlOpener(UrlOpener opener) { openerRef() = std::move(opener); }

bool startDetached(const QString &program, const QStringList &arguments)
{
    if (starterRef())
        return starterRef()(program, arguments);
    return QProcess::startDetached(program, arguments);
}

bool openUrl(const QUrl &url)
{
    if (openerRef())
        return openerRef()(url);
    return QDesktopServices::openUrl(url);
}

} // namespace DesktopHooks
