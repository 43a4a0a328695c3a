#pragma once
// Web views for the pages that show web content ("More", maps). The web
// engine is a module of its own, loaded on the first create(): a program
// that links it sets up the engine and an OpenGL context at every start,
// which costs memory and time even when no page ever shows a web page.
// Pages build their view when it is first shown (whenFirstShown).

#include <QString>
#include <QUrl>

class QWidget;

namespace WebView {

// QWebEngineSettings::WebAttribute values the pages switch on.
enum Attribute { LocalStorageEnabled = 5, LocalContentCanAccessFileUrls = 9 };

// A new web view (a QWebEngineView) with the given parent, or nullptr when
// the web engine cannot be loaded; `error` then says why.
QWidget *create(QWidget *parent, QString *error = nullptr);
// The same, with the page's JavaScript alerts handed to `alert`.
QWidget *createWithAlerts(QWidget *parent, void (*alert)(const QString &message), QString *error = nullptr);
void load(QWidget *view, const QUrl &url);
// Runs `script` in the view's page (no result).
void runJavaScript(QWidget *view, const QString &script);
void setAttribute(QWidget *view, Attribute attribute, bool on);
// Whether the web engine has been loaded into the process.
bool isLoaded();

// Tests load the module from elsewhere (a missing file: no web engine);
// empty restores the default. The next create() tries again.
void setModulePathForTesting(const QString &path);

} // namespace WebView
