#include "customwebpage.h"

#include "uiprompt.h"

CustomWebPage::CustomWebPage(QObject *parent)
    : QWebEnginePage(parent)
{
}

void CustomWebPage::javaScriptAlert(const QUrl &securityOrigin, const QString &msg)
{
    Q_UNUSED(securityOrigin);
    UiPrompt::information(nullptr, tr("Message"), msg, QMessageBox::Ok);
}
