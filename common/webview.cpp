#include "webview.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QWidget>

#include <dlfcn.h>

// Qt's global share context (what Qt::AA_ShareOpenGLContexts makes the
// application create at start).
Q_GUI_EXPORT QOpenGLContext *qt_gl_global_share_context();
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);

namespace {

struct Engine {
    QWidget *(*create)(QWidget *) = nullptr;
    void (*load)(QWidget *, const QUrl &) = nullptr;
    void (*setAttribute)(QWidget *, int, bool) = nullptr;
    QWidget *(*createAlerting)(QWidget *, void (*)(const QString &)) = nullptr;
    void (*runJavaScript)(QWidget *, const QString &) = nullptr;
    QString error;
    bool tried = false;
};

Engine &engine()
{
    static Engine e;
    return e;
}

QString &modulePathOverride()
{
    static QString path;
    return path;
}

// The module lies next to the library that holds this code.
QString modulePath()
{
    if (!modulePathOverride().isEmpty())
        return modulePathOverride();
    Dl_info info{};
    QString dir = QCoreApplication::applicationDirPath();
    if (dladdr(reinterpret_cast<void *>(&WebView::isLoaded), &info) && info.dli_fname)
        dir = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
    return QDir(dir).filePath(QStringLiteral(VELM_WEB_MODULE));
}

Engine &loaded()
{
    Engine &e = engine();
    if (e.tried)
        return e;
    e.tried = true;
    // The engine renders through a context shared with the application's
    // global one, which it expects to find when it is loaded.
    if (!qt_gl_global_share_context()) {
        auto *context = new QOpenGLContext(qApp);
        context->setFormat(QSurfaceFormat::defaultFormat());
        if (!context->create()) {
            delete context;
            e.error = QCoreApplication::translate("WebView", "this display offers no OpenGL");
            return e;
        }
        qt_gl_set_global_share_context(context);
        QObject::connect(context, &QObject::destroyed, [context] {
            if (qt_gl_global_share_context() == context)
                qt_gl_set_global_share_context(nullptr);
        });
    }
    QLibrary library(modulePath());
    if (!library.load()) {
        e.error = QCoreApplication::translate("WebView", "the web engine could not be loaded (%1)")
                      .arg(library.errorString());
        return e;
    }
    e.create = reinterpret_cast<QWidget *(*)(QWidget *)>(library.resolve("velm_web_create"));
    e.load = reinterpret_cast<void (*)(QWidget *, const QUrl &)>(library.resolve("velm_web_load"));
    e.setAttribute = reinterpret_cast<void (*)(QWidget *, int, bool)>(library.resolve("velm_web_set_attribute"));
    e.createAlerting = reinterpret_cast<QWidget *(*)(QWidget *, void (*)(const QString &))>(
        library.resolve("velm_web_create_alerting"));
    e.runJavaScript = reinterpret_cast<void (*)(QWidget *, const QString &)>(library.resolve("velm_web_run_javascript"));
    if (!e.create || !e.load || !e.setAttribute || !e.createAlerting || !e.runJavaScript) {
        e.error = library.errorString();
        e.create = nullptr;
    }
    // The module stays loaded for the life of the process.
    return e;
}

} // namespace

namespace WebView {

QWidget *create(QWidget *parent, QString *error)
{
    Engine &e = loaded();
    if (!e.create) {
        if (error)
            *error = e.error;
        return nullptr;
    }
    return e.create(parent);
}

QWidget *createWithAlerts(QWidget *parent, void (*alert)(const QString &), QString *error)
{
    Engine &e = loaded();
    if (!e.create) {
        if (error)
            *error = e.error;
        return nullptr;
    }
    return e.createAlerting(parent, alert);
}

void runJavaScript(QWidget *view, const QString &script)
{
    if (view && engine().runJavaScript)
        engine().runJavaScript(view, script);
}

void load(QWidget *view, const QUrl &url)
{
    if (view && engine().load)
        engine().load(view, url);
}

void setAttribute(QWidget *view, Attribute attribute, bool on)
{
    if (view && engine().setAttribute)
        engine().setAttribute(view, int(attribute), on);
}

bool isLoaded()
{
    return engine().create != nullptr;
}

void setModulePathForTesting(const QString &path)
{
    modulePathOverride() = path;
    engine() = Engine(); // the next create() loads again, from there
}

} // namespace WebView
