#include "mainwindow.h"
#include "translations.h"
#include "eventwait.h"

#include <QApplication>
#include <QLocale>
#include <QLoggingCategory>
#include <QPixmap>
#include <QSplashScreen>
#include <QTextCodec>

namespace {
void discardMessage(QtMsgType, const QMessageLogContext &, const QString &) {}
} // namespace

int main(int argc, char *argv[])
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-logging --log-level=3");
    qInstallMessageHandler(discardMessage);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    // No Qt::AA_ShareOpenGLContexts here: it makes the application set up
    // an OpenGL context at start. The web engine, loaded when a page first
    // needs it (common/webview.h), sets up the context it shares then.

    QApplication app(argc, argv);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));

    const InstalledTranslators translators = installTranslators(&app, QLocale::system());

    QPixmap splashPicture(QStringLiteral(":images/software.png"));
    QSplashScreen splash(splashPicture);
    splash.show();
    // Three whole seconds, on a monotonic clock, with the splash painted.
    waitProcessingEvents(3000);

    MainWindow window;
    window.show();
    splash.finish(&window);
    return app.exec();
}
