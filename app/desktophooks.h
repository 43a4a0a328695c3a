#pragma once
// The two places where the program hands something to the desktop: starting
// a new copy of itself (after the preferences are applied) and opening a web
// address in the system's browser. Tests replace them to record the calls;
// nothing a user can reach changes them.

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

namespace DesktopHooks {

// Returns true when the new process started.
using Starter = std::function<bool(const QString &program, const QStringList &arguments)>;
// Returns true when the desktop accepted the address.
using UrlOpener = std::function<bool(const QUrl &url)>;

// An empty function restores the real behaviour.
void setStarter(Starter starter);
void setUrlOpener(UrlOpener opener);

// QProcess::startDetached(program, arguments) unless replaced.
bool startDetached(const QString &program, const QStringList &arguments);
// QDesktopServices::openUrl(url) unless replaced.
bool openUrl(const QUrl &url);

} // namespace DesktopHooks
