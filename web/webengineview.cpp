// The web engine, loaded by the program only when a page first needs a web
// view (see app/webview.h): linking it into the program would load it, and
// the OpenGL context it sets up, at every start.
#include <QUrl>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWidget>

extern "C" {

Q_DECL_EXPORT QWidget *velm_web_create(QWidget *parent)
{
    return new QWebEngineView(parent);
}

Q_DECL_EXPORT void velm_web_load(QWidget *view, const QUrl &url)
{
    if (auto *web = qobject_cast<QWebEngineView *>(view))
        web->load(url);
}

Q_DECL_EXPORT void velm_web_set_attribute(QWidget *view, int attribute, bool on)
{
    if (auto *web = qobject_cast<QWebEngineView *>(view))
        web->settings()->setAttribute(QWebEngineSettings::WebAttribute(attribute), on);
}

} // extern "C"
