// The "Advanced" dialog of the "Serial Debug" page: twelve named commands,
// stored in the settings file and sent to the open port.
#include "mainwindow.h"
#include "ui_com_expand.h"
#include "ui_mainwindow.h"

#include "commandlist.h"
#include "terminalpanel.h"
#include "threadserial.h"
#include "uiprompt.h"

#include <QDialog>
#include <QSettings>
#include <QStatusBar>

QByteArray CommandList::resolveEscapes(QByteArray data)
{
    static const struct {
        const char *sequence;
        char byte;
    } escapes[] = {{"\\r", '\r'}, {"\\n", '\n'}, {"\\t", '\t'},  {"\\a", '\a'},  {"\\b", '\b'}, {"\\f", '\f'},
                   {"\\v", '\v'}, {"\\\\", '\\'}, {"\\?", '?'}, {"\\'", '\''}, {"\\\"", '"'}};
    for (const auto &e : escapes)
        data.replace(QByteArray(e.sequence), QByteArray(1, e.byte));
    return data;
}

namespace {
struct Row {
    QPushButton *command;
    QLineEdit *edit;
    QPushButton *rename;
};

QList<Row> rows(Ui::COM_Expand *f)
{
    return {{f->com_pushButton, f->com_qlineedit, f->com_set_pushButton},
            {f->com_pushButton_2, f->com_qlineedit_2, f->com_set_pushButton_2},
            {f->com_pushButton_3, f->com_qlineedit_3, f->com_set_pushButton_3},
            {f->com_pushButton_4, f->com_qlineedit_4, f->com_set_pushButton_4},
            {f->com_pushButton_5, f->com_qlineedit_5, f->com_set_pushButton_5},
            {f->com_pushButton_6, f->com_qlineedit_6, f->com_set_pushButton_6},
            {f->com_pushButton_7, f->com_qlineedit_7, f->com_set_pushButton_7},
            {f->com_pushButton_8, f->com_qlineedit_8, f->com_set_pushButton_8},
            {f->com_pushButton_9, f->com_qlineedit_9, f->com_set_pushButton_9},
            {f->com_pushButton_10, f->com_qlineedit_10, f->com_set_pushButton_10},
            {f->com_pushButton_11, f->com_qlineedit_11, f->com_set_pushButton_11},
            {f->com_pushButton_12, f->com_qlineedit_12, f->com_set_pushButton_12}};
}

QString nameKey(int row) { return QStringLiteral("COMMAND%1_NAME").arg(row + 1); }
QString commandKey(int row) { return QStringLiteral("COMMAND%1").arg(row + 1); }

void sendRow(MainWindow *w, int row)
{
    if (!w->comExpandOpen || !w->comExpandUi)
        return;
    w->command_sendMsg(rows(w->comExpandUi).at(row).edit->text().toUtf8());
}

void renameRow(MainWindow *w, int row)
{
    if (!w->comExpandOpen || !w->comExpandUi)
        return;
    QString name;
    if (!UiPrompt::textInput(nullptr, MainWindow::tr("command"), QString(), QString(), &name))
        return;
    // The dialog may have gone while the question was open.
    if (w->comExpandOpen && w->comExpandUi)
        rows(w->comExpandUi).at(row).command->setText(name);
}
} // namespace

void MainWindow::slotCom_expand()
{
    if (comExpandOpen)
        return;

    comExpandDialog = new QDialog(this);
    comExpandDialog->setAttribute(Qt::WA_DeleteOnClose);
    Ui::COM_Expand *form = new Ui::COM_Expand;
    comExpandUi = form;
    form->setupUi(comExpandDialog);

    // The form object goes with its own dialog, even when a newer dialog
    // has already replaced it in comExpandUi.
    connect(comExpandDialog, &QObject::destroyed, [form] { delete form; });
    connect(comExpandDialog, SIGNAL(destroyed()), this, SLOT(slotCom_expandclose()));
    connect(comExpandUi->save_pushButton, SIGNAL(pressed()), this, SLOT(slotCOM_expandsave()));
    using Slot = void (MainWindow::*)();
    static const Slot renameSlots[12] = {
        &MainWindow::slotcom_set_pushButton,    &MainWindow::slotcom_set_pushButton_2,
        &MainWindow::slotcom_set_pushButton_3,  &MainWindow::slotcom_set_pushButton_4,
        &MainWindow::slotcom_set_pushButton_5,  &MainWindow::slotcom_set_pushButton_6,
        &MainWindow::slotcom_set_pushButton_7,  &MainWindow::slotcom_set_pushButton_8,
        &MainWindow::slotcom_set_pushButton_9,  &MainWindow::slotcom_set_pushButton_10,
        &MainWindow::slotcom_set_pushButton_11, &MainWindow::slotcom_set_pushButton_12};
    static const Slot sendSlots[12] = {
        &MainWindow::slotcom_pushButton,    &MainWindow::slotcom_pushButton_2,  &MainWindow::slotcom_pushButton_3,
        &MainWindow::slotcom_pushButton_4,  &MainWindow::slotcom_pushButton_5,  &MainWindow::slotcom_pushButton_6,
        &MainWindow::slotcom_pushButton_7,  &MainWindow::slotcom_pushButton_8,  &MainWindow::slotcom_pushButton_9,
        &MainWindow::slotcom_pushButton_10, &MainWindow::slotcom_pushButton_11, &MainWindow::slotcom_pushButton_12};
    const QList<Row> all = rows(comExpandUi);
    for (int i = 0; i < all.size(); ++i)
        connect(all.at(i).rename, &QPushButton::pressed, this, renameSlots[i]);
    for (int i = 0; i < all.size(); ++i)
        connect(all.at(i).command, &QPushButton::pressed, this, sendSlots[i]);

    comExpandOpen = true;
    comExpandDialog->show();
    comExpandDialog->setStyleSheet(QStringLiteral("background-color: white grey"));

    if (!settings)
        return;
    for (int i = 0; i < all.size(); ++i) {
        const QString name = settings->value(nameKey(i)).toString();
        if (!name.isEmpty())
            all.at(i).command->setText(name);
        const QString command = settings->value(commandKey(i)).toString();
        if (!command.isEmpty())
            all.at(i).edit->setText(command);
    }
}

void MainWindow::slotCom_expandclose()
{
    // A dialog closed by the serial page's close path may go only after a
    // new one has opened; its end must not touch the new one.
    if (sender() && sender() != comExpandDialog)
        return;
    comExpandOpen = false;
    comExpandDialog = nullptr;
    comExpandUi = nullptr;
}

void MainWindow::slotCOM_expandsave()
{
    if (!comExpandUi || !settings)
        return;
    const QList<Row> all = rows(comExpandUi);
    for (int i = 0; i < all.size(); ++i) {
        settings->setValue(nameKey(i), all.at(i).command->text());
        settings->setValue(commandKey(i), all.at(i).edit->text());
    }
}

void MainWindow::command_sendMsg(QByteArray data)
{
    const QByteArray bytes = CommandList::resolveEscapes(std::move(data));

    // The shared port may have been closed from another page meanwhile.
    if (!serialOpen || !serialThread || !serialThread->port || !serialThread->port->isOpen()) {
        statusBar()->showMessage(tr("Serial port not open, nothing sent"));
        return;
    }
    if (COM_refuseWhileSendingFile())
        return;
    // The page's one send counter counts what the port takes (its panel
    // counts the port's writes), and what waits unwritten is bounded.
    if (COM_send(bytes))
        statusBar()->showMessage(tr("Send Success"));
}

void MainWindow::slotcom_pushButton() { sendRow(this, 0); }
void MainWindow::slotcom_pushButton_2() { sendRow(this, 1); }
void MainWindow::slotcom_pushButton_3() { sendRow(this, 2); }
void MainWindow::slotcom_pushButton_4() { sendRow(this, 3); }
void MainWindow::slotcom_pushButton_5() { sendRow(this, 4); }
void MainWindow::slotcom_pushButton_6() { sendRow(this, 5); }
void MainWindow::slotcom_pushButton_7() { sendRow(this, 6); }
void MainWindow::slotcom_pushButton_8() { sendRow(this, 7); }
void MainWindow::slotcom_pushButton_9() { sendRow(this, 8); }
void MainWindow::slotcom_pushButton_10() { sendRow(this, 9); }
void MainWindow::slotcom_pushButton_11() { sendRow(this, 10); }
void MainWindow::slotcom_pushButton_12() { sendRow(this, 11); }

void MainWindow::slotcom_set_pushButton() { renameRow(this, 0); }
void MainWindow::slotcom_set_pushButton_2() { renameRow(this, 1); }
void MainWindow::slotcom_set_pushButton_3() { renameRow(this, 2); }
void MainWindow::slotcom_set_pushButton_4() { renameRow(this, 3); }
void MainWindow::slotcom_set_pushButton_5() { renameRow(this, 4); }
void MainWindow::slotcom_set_pushButton_6() { renameRow(this, 5); }
void MainWindow::slotcom_set_pushButton_7() { renameRow(this, 6); }
void MainWindow::slotcom_set_pushButton_8() { renameRow(this, 7); }
void MainWindow::slotcom_set_pushButton_9() { renameRow(this, 8); }
void MainWindow::slotcom_set_pushButton_10() { renameRow(this, 9); }
void MainWindow::slotcom_set_pushButton_11() { renameRow(this, 10); }
void MainWindow::slotcom_set_pushButton_12() { renameRow(this, 11); }
