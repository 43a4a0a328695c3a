#pragma once
// The map pages' web page: their alerts ("IP location failed!", a map that
// could not load) reach the user as a message box.

#include <QWebEnginePage>

class CustomWebPage : public QWebEnginePage
{
    Q_OBJECT

public:
    explicit CustomWebPage(QObject *parent = nullptr);

protected:
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
};
