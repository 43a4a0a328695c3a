// "Check Update": fetch the version file, compare, tell the user.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "appinfo.h"
#include "desktophooks.h"
#include "uiprompt.h"
#include "updatecheck.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace UpdateCheck {
namespace {
QString &baseRef()
{
    static QString base;
    return base;
}
int &timeoutRef()
{
    static int timeout = 0;
    return timeout;
}
QSslConfiguration &sslRef()
{
    static QSslConfiguration configuration;
    return configuration;
}
} // namespace

void setBaseUrl(const QString &base) { baseRef() = base; }

QString baseUrl()
{
    return baseRef().isEmpty() ? QString::fromLatin1(AppInfo::kUpdateBase) : baseRef();
}

QUrl versionFileUrl()
{
    return QUrl(baseUrl() + QStringLiteral("/software/VELM_VERSION"));
}

void setTimeoutMs(int milliseconds) { timeoutRef() = milliseconds; }

int timeoutMs()
{
    return timeoutRef() > 0 ? timeoutRef() : kDefaultTimeoutMs;
}

void setSslConfiguration(const QSslConfiguration &configuration) { sslRef() = configuration; }

QSslConfiguration sslConfiguration()
{
    return sslRef().isNull() ? QSslConfiguration::defaultConfiguration() : sslRef();
}

} // namespace UpdateCheck

void MainWindow::slotActionCheck_Update()
{
    // The disabled window keeps the menu from starting a second check; this
    // also keeps a direct second call out while the first one waits.
    static bool running = false;
    if (running)
        return;
    running = true;

    // Whatever happens below, the window is usable again afterwards.
    struct Reenable {
        MainWindow *window;
        ~Reenable()
        {
            window->slotActionCheck_Updateclose();
            running = false;
        }
    } reenable{this};

    setEnabled(false);

    QNetworkAccessManager manager;
    QNetworkRequest request(UpdateCheck::versionFileUrl());
    request.setSslConfiguration(UpdateCheck::sslConfiguration());
    QNetworkReply *reply = manager.get(request);

    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    bool timedOut = false;
    bool tooLarge = false;
    connect(&manager, &QNetworkAccessManager::finished, &loop, &QEventLoop::quit);
    connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        if (reply->bytesAvailable() > UpdateCheck::kMaxReplyBytes) {
            tooLarge = true;
            reply->abort();
        }
    });
    deadline.start(UpdateCheck::timeoutMs());
    if (!reply->isFinished())
        loop.exec(QEventLoop::AllEvents);
    deadline.stop();

    const bool finished = reply->isFinished() && !timedOut;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool failed = !finished || tooLarge || reply->error() != QNetworkReply::NoError || status >= 400;
    const QString text = failed ? QString() : QString::fromUtf8(reply->readAll());
    if (!reply->isFinished())
        reply->abort();
    reply->disconnect(&loop);
    delete reply;

    if (!finished && !timedOut)
        return; // the application is shutting down and ended every loop

    const QString title = tr("Message");
    if (text.isEmpty()) {
        UiPrompt::information(nullptr, title, tr("Network connection lost. Please check your network settings."),
                              QMessageBox::Cancel);
        return;
    }
    if (UpdateCheck::versionNumber(text) > UpdateCheck::kOwnVersion) {
        UiPrompt::warning(nullptr, title, tr("Found a new version."), QMessageBox::Cancel);
        DesktopHooks::openUrl(QUrl(QString::fromLatin1(AppInfo::kDownloadPage)));
    } else {
        UiPrompt::information(nullptr, title, tr("Already the latest version."), QMessageBox::Cancel);
    }
}

void MainWindow::slotActionCheck_Updateclose()
{
    setEnabled(true);
}
