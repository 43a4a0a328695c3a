#include "gpsmapbridge.h"

#include "customwebpage.h"

#include <QEvent>
#include <QGridLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWidget>

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
    m_view = new QWebEngineView(m_window);
    if (m_layout)
        m_layout->addWidget(m_view);
    m_page = new CustomWebPage(m_window);
    m_view->setPage(m_page);
    connect(m_page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        m_loaded = true;
        const QStringList held = std::exchange(m_held, {});
        for (const QString &script : held)
            m_page->runJavaScript(script);
        emit mapLoaded(ok);
    });
    connect(m_page, &QWebEnginePage::loadStarted, this, [this] { m_loaded = false; });
    m_view->settings()->setAttribute(QWebEngineSettings::LocalStorageEnabled, true);
    m_view->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    m_view->load(m_url);
    emit viewCreated();
}

void GpsMapBridge::run(const QString &script)
{
    if (m_page && m_loaded) {
        m_page->runJavaScript(script);
        return;
    }
    m_held.append(script);
    if (m_held.size() > kMaxHeldCalls)
        m_held.removeFirst();
}
