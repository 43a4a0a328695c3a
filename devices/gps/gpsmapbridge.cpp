#include "gpsmapbridge.h"

#include "uiprompt.h"
#include "webview.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QWidget>

namespace {
// The alerts the map pages' scripts raise, in the words the scripts use; the
// catalogue holds their translations under this class's name.
[[maybe_unused]] const char *const kMapAlerts[] = {
    QT_TRANSLATE_NOOP("GpsMapBridge", "IP location failed!"),
    QT_TRANSLATE_NOOP("GpsMapBridge", "Map loading failed, please check the network!"),
};

// The map pages' alerts reach the user as a message box.
void showAlert(const QString &message)
{
    UiPrompt::information(nullptr, QCoreApplication::translate("CustomWebPage", "Message"),
                          GpsMapBridge::alertText(message), QMessageBox::Ok);
}
} // namespace

QString GpsMapBridge::alertText(const QString &message)
{
    // A text the catalogue does not know (another page's, already in the
    // reader's language) comes back as it is.
    return QCoreApplication::translate("GpsMapBridge", message.toUtf8().constData());
}

GpsMapBridge::GpsMapBridge(QWidget *tabPage, QGridLayout *layout, QWidget *window, const QUrl &mapPage)
    : QObject(window), m_tabPage(tabPage), m_layout(layout), m_window(window), m_url(mapPage)
{
    if (tabPage) {
        tabPage->installEventFilter(this);
        if (tabPage->isVisible())
            ensureView();
    }
}

bool GpsMapBridge::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tabPage && event->type() == QEvent::Show && !m_view)
        ensureView();
    return QObject::eventFilter(watched, event);
}

void GpsMapBridge::ensureView()
{
    if (m_view || !m_window)
        return;
    if (m_tabPage)
        m_tabPage->removeEventFilter(this);
    // The web engine is a module of its own, loaded with the first view.
    QString error;
    m_view = WebView::createWithAlerts(m_window, &showAlert, &error);
    if (!m_view) {
        // No map will come: say why where it would be, and hold nothing.
        m_unavailable = error;
        m_held.clear();
        m_heldCalls = 0;
        auto *placeholder = new QLabel(tr("Map not available: %1").arg(error), m_window);
        placeholder->setObjectName(QStringLiteral("gpsMapPlaceholder"));
        placeholder->setAlignment(Qt::AlignCenter);
        placeholder->setWordWrap(true);
        if (m_layout)
            m_layout->addWidget(placeholder);
        emit viewCreated();
        return;
    }
    if (m_layout)
        m_layout->addWidget(m_view);
    connect(m_view, SIGNAL(loadFinished(bool)), this, SLOT(onLoadFinished(bool)));
    connect(m_view, SIGNAL(loadStarted()), this, SLOT(onLoadStarted()));
    WebView::setAttribute(m_view, WebView::LocalStorageEnabled, true);
    WebView::setAttribute(m_view, WebView::LocalContentCanAccessFileUrls, true);
    WebView::load(m_view, m_url);
    emit viewCreated();
}

void GpsMapBridge::onLoadStarted() { m_loaded = false; }

void GpsMapBridge::onLoadFinished(bool ok)
{
    m_loaded = true;
    const QList<QStringList> held = std::exchange(m_held, {});
    m_heldCalls = 0;
    for (const QStringList &group : held) {
        for (const QString &script : group)
            WebView::runJavaScript(m_view, script);
    }
    emit mapLoaded(ok);
}

void GpsMapBridge::run(const QString &script)
{
    run(QStringList{script});
}

void GpsMapBridge::run(const QStringList &group)
{
    if (group.isEmpty() || !m_unavailable.isEmpty())
        return;
    if (m_view && m_loaded) {
        for (const QString &script : group)
            WebView::runJavaScript(m_view, script);
        return;
    }
    m_held.append(group);
    m_heldCalls += int(group.size());
    // The newest group always stays, whatever its size.
    while (m_heldCalls > kMaxHeldCalls && m_held.size() > 1)
        m_heldCalls -= int(m_held.takeFirst().size());
}

QStringList GpsMapBridge::heldCalls() const
{
    QStringList calls;
    calls.reserve(m_heldCalls);
    for (const QStringList &group : m_held)
        calls += group;
    return calls;
}
