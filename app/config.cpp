// Page switches: which tabs stay, read once at start-up.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "appinfo.h"
#include "pagetable.h"

#include <QSettings>

int MainWindow::Config()
{
    connect(ui->actionConfig, SIGNAL(triggered()), this, SLOT(slotActionConfig()), Qt::UniqueConnection);

    settings = new QSettings(QLatin1String(AppInfo::kSettingsFile), QSettings::IniFormat, this);

    const QList<PageEntry> &pages = PageTable::pages();
    pageKeys.clear();
    for (const PageEntry &page : pages)
        pageKeys.append(QLatin1String(page.key));

    // A page stays when its switch is empty or exactly "true"; the others
    // leave the tab bar (their widgets stay alive).
    int t = 0;
    for (int p = 0; p < pageCount; ++p) {
        const QString value = settings->value(pageKeys.at(p)).toString();
        QWidget *tab = ui->*pages.at(p).tab;
        if (value.isEmpty() || value == QLatin1String("true")) {
            if (ui->tabWidget->indexOf(tab) >= 0)
                ++t;
        } else {
            ui->tabWidget->removeTab(ui->tabWidget->indexOf(tab));
        }
    }
    return t;
}
