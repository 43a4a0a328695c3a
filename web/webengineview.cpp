// The web engine, loaded by the program only when a page first needs a web
// view (see common/webview.h): linking it into the program would load it, and
// the OpenGL context it sets up, at every start.
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWidget>

namespace {
// A page whose JavaScript alerts go to the program's handler.
class AlertPage : public QWebEnginePage
{
public:
    AlertPage(QObject *parent, void (*alert)(const QString &)) : QWebEnginePage(parent), m_alert(alert) {}

protected:
    void javaScriptAlert(const QUrl &, const QString &msg) override
    {
        if (m_alert)
            m_alert(msg);
    }

private:
    void (*m_alert)(const QString &);
};
} // namespace

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

Q_DECL_EXPORT QWidget *velm_web_create_alerting(QWidget *parent, void (*alert)(const QString &))
{
    auto *view = new QWebEngineView(parent);
    view->setPage(new AlertPage(view, alert));
    return view;
}

Q_DECL_EXPORT void velm_web_run_javascript(QWidget *view, const QString &script)
{
    if (auto *web = qobject_cast<QWebEngineView *>(view))
        web->page()->runJavaScript(script);
}

} // extern "C"
