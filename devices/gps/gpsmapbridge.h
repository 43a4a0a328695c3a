#pragma once
// The GPS page's map: a web view created (and its map page loaded) the first
// time the page is shown, so a window that never shows the page starts no
// web engine for it. Script calls made before the map page has loaded are
// held back and run in order once it has.

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>

#include <QGridLayout>
#include <QWebEngineView>
#include <QWidget>

#include "customwebpage.h"

class GpsMapBridge : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxHeldCalls = 10000;

    // `tabPage` is the page whose first showing creates the view in
    // `layout`; the view and its web page get `window` as parent.
    GpsMapBridge(QWidget *tabPage, QGridLayout *layout, QWidget *window, const QUrl &mapPage);

    // Runs `script` in the map page (no result), or holds it back until the
    // page has loaded. At most kMaxHeldCalls are held (the oldest go).
    void run(const QString &script);

    QWebEngineView *view() const { return m_view; }
    CustomWebPage *page() const { return m_page; }
    bool loaded() const { return m_loaded; }
    const QUrl &mapPage() const { return m_url; }
    // Creates the view now if it does not exist yet.
    void ensureView();

signals:
    void viewCreated();
    void mapLoaded(bool ok);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_tabPage;
    QPointer<QGridLayout> m_layout;
    QPointer<QWidget> m_window;
    QUrl m_url;
    QPointer<QWebEngineView> m_view;
    QPointer<CustomWebPage> m_page;
    bool m_loaded = false;
    QStringList m_held;
};
