#pragma once
// Table-driven checks of a built form: each row names a widget and what the
// form must have given it. Fields left at their defaults are not checked.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class QWidget;
class QObject;
class QLayout;

namespace FormCheck {

struct Cell {
    int row = -1, column = -1, rowSpan = 1, columnSpan = 1;
};

struct WidgetSpec {
    QString name;          // object name (also the Ui_MainWindow member name)
    QString className;     // exact class, e.g. "QPushButton"
    QString layout;        // object name of the layout holding it ("" = don't check)
    Cell cell;             // grid cell in that layout (row -1 = don't check)
    QString text;          // text(), title() or plain text, when not null
    QStringList items;     // combo items, when not empty
    int currentIndex = -2; // combo / tab current index, -2 = don't check
    QVariantMap properties; // other properties, compared via QVariant (string form for enums)
};

// Runs QCOMPARE/QVERIFY for every row; returns after the first failure.
void checkWidgets(QObject *root, const QList<WidgetSpec> &specs);

// Finds a layout by object name below root (nullptr when missing).
QLayout *findLayout(QObject *root, const QString &name);

} // namespace FormCheck
