#pragma once
// The GPS page's map: a web view created (and its map page loaded) the first
// time the page is shown, so a window that never shows the page starts no
// web engine for it. Script calls made before the map page has loaded are
// held back and run in order once it has. When the web engine cannot be
// loaded (no module, no OpenGL) the page shows why instead of a map.

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>

#include <QGridLayout>
#include <QWidget>

class GpsMapBridge : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxHeldCalls = 10000;

    // `tabPage` is the page whose first showing creates the view in
    // `layout`; the view and its web page get `window` as parent.
    GpsMapBridge(QWidget *tabPage, QGridLayout *layout, QWidget *window, const QUrl &mapPage);

    // Runs `script` in the map page (no result), or holds it back until the
    // page has loaded.
    void run(const QString &script);
    // Runs calls that only mean something together (a position and the
    // marker move, the ends of a segment and its line) the same way. Held
    // groups go whole: past kMaxHeldCalls held calls the oldest groups are
    // dropped, never part of one.
    void run(const QStringList &group);
    // The calls held back, in order.
    QStringList heldCalls() const;

    // The web view (a QWebEngineView), or null before it is made.
    QWidget *view() const { return m_view; }
    bool loaded() const { return m_loaded; }
    // Why there is no map (the web engine could not be loaded); empty
    // while a map can be shown.
    const QString &unavailable() const { return m_unavailable; }
    const QUrl &mapPage() const { return m_url; }
    // Creates the view now if it does not exist yet.
    void ensureView();
    // A map page's alert as the user reads it: the script's English text
    // through the catalogue.
    static QString alertText(const QString &message);

signals:
    void viewCreated();
    void mapLoaded(bool ok);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void onLoadStarted();
    void onLoadFinished(bool ok);

private:
    QPointer<QWidget> m_tabPage;
    QPointer<QGridLayout> m_layout;
    QPointer<QWidget> m_window;
    QUrl m_url;
    QPointer<QWidget> m_view;
    bool m_loaded = false;
    QString m_unavailable;
    QList<QStringList> m_held;
    int m_heldCalls = 0;
};
