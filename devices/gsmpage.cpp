// "GSM Debug" page: a GSM/GPRS modem on the shared serial port. Every
// command runs as one exchange of the page's GsmExchange, which also routes
// the port's input (devices/gsm/).
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "gsm/gsmreply.h"
#include "gsm/gsmsession.h"
#include "gsm/gsmsms.h"
#include "rxformat.h"
#include "openbuttonstyle.h"
#include "threadserial.h"
#include "uiprompt.h"

#include <QKeySequence>
#include <QPixmap>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTimer>

namespace {

using Outcome = GsmExchange::Outcome;
using Request = GsmExchange::Request;
using Verdict = GsmExchange::Verdict;

QByteArray commandLine(const QByteArray &command)
{
    return command + "\r\n";
}

QList<QPushButton *> keypad(const Ui::MainWindow *ui)
{
    return {ui->GSMANJIANpushButton_0, ui->GSMANJIANpushButton_1,  ui->GSMANJIANpushButton_2,
            ui->GSMANJIANpushButton_3, ui->GSMANJIANpushButton_4,  ui->GSMANJIANpushButton_5,
            ui->GSMANJIANpushButton_6, ui->GSMANJIANpushButton_7,  ui->GSMANJIANpushButton_8,
            ui->GSMANJIANpushButton_9, ui->GSMANJIANpushButton_10, ui->GSMANJIANpushButton_11};
}

void showStatus(MainWindow *w, const QString &text)
{
    w->ui->statusBar->showMessage(text);
}

void errorBox()
{
    UiPrompt::critical(nullptr, MainWindow::tr("Info"), QStringLiteral("Error"), QMessageBox::Cancel);
}

void setSwitchIcon(QPushButton *button, bool on)
{
    button->setIcon(QIcon(on ? QStringLiteral(":/images/on.png") : QStringLiteral(":/images/off.png")));
}

// One exchange with the port's input handed to it for its duration.
GsmExchange::Result runExchange(MainWindow *w, const Request &request)
{
    w->GSMsetReadComINT(false);
    const GsmExchange::Result result = w->gsm->exchange.run(request);
    w->GSMsetReadComINT(true);
    return result;
}

bool ended(const GsmExchange::Result &result)
{
    return result.outcome == Outcome::PortClosed || result.outcome == Outcome::Aborted
           || result.outcome == Outcome::Busy;
}

// A command of the page. Only one runs at a time; a hang-up pressed while
// one runs is sent as soon as it ends.
class Command
{
public:
    explicit Command(MainWindow *w) : m_w(w)
    {
        m_started = !w->gsm->busy && w->gsm->exchange.portOpen();
        if (m_started)
            w->gsm->busy = true;
    }
    ~Command()
    {
        if (!m_started)
            return;
        m_w->gsm->busy = false;
        if (m_w->gsm->hangupPending) {
            m_w->gsm->hangupPending = false;
            if (m_w->gsm->exchange.portOpen())
                m_w->GSMguadianhuapushButton_triggered();
        }
    }
    Command(const Command &) = delete;
    Command &operator=(const Command &) = delete;
    bool started() const { return m_started; }

private:
    MainWindow *m_w;
    bool m_started = false;
};

// The dial button after a call ended or an incoming call was answered.
void callEnded(MainWindow *w)
{
    w->gsm->call.endCall();
    w->ui->GSMbodianhuapushButton->setText(MainWindow::tr("Call"));
}

// Signal quality: the icon follows the "+CSQ" value.
void signalQuery(MainWindow *w)
{
    Request r;
    r.command = commandLine("AT+CSQ");
    r.count = 10;
    r.stepMs = 100;
    r.ownPrefixes = {"+CSQ:"};
    r.test = [w](const QByteArray &reply) {
        int rssi = 0;
        if (!GsmReply::signalValue(reply, &rssi))
            return Verdict::Wait;
        const QString icon = GsmReply::signalIcon(rssi);
        if (icon.isEmpty())
            return Verdict::Wait;
        w->ui->GSMCheckSigneltext->setPixmap(QPixmap(icon));
        return Verdict::Done;
    };
    if (runExchange(w, r).outcome == Outcome::Error)
        errorBox();
}

// A query of the status at open: `read` gives -1 while the value is not
// there, else the value, which `apply` takes.
GsmExchange::Result statusItem(MainWindow *w, const QByteArray &command, int stepMs, const QByteArray &prefix,
                               int (*read)(const QByteArray &), const std::function<void(int)> &apply)
{
    Request r;
    r.command = commandLine(command);
    r.count = 10;
    r.stepMs = stepMs;
    r.ownPrefixes = {prefix};
    r.test = [read, apply](const QByteArray &reply) {
        const int v = read(reply);
        if (v < 0)
            return Verdict::Wait;
        apply(v);
        return Verdict::Done;
    };
    return runExchange(w, r);
}

// An on/off command that the modem confirms with OK.
bool switchCommand(MainWindow *w, const QByteArray &command, int count, GsmExchange::Outcome *outcome = nullptr,
                   int stepMs = 10)
{
    Request r;
    r.command = commandLine(command);
    r.count = count;
    r.stepMs = stepMs;
    r.test = [](const QByteArray &reply) {
        return GsmReply::finalResult(reply) == GsmReply::Final::Ok ? Verdict::Done : Verdict::Wait;
    };
    const GsmExchange::Result result = runExchange(w, r);
    if (outcome)
        *outcome = result.outcome;
    return result.outcome == Outcome::Matched;
}

// A dial string the modem takes: digits, "*", "#" and "+".
bool validNumber(const QString &number)
{
    if (number.isEmpty())
        return false;
    for (const QChar c : number) {
        if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char('*') && c != QLatin1Char('#')
            && c != QLatin1Char('+'))
            return false;
    }
    return true;
}

bool isCallEndLine(const QByteArray &line)
{
    return line.startsWith("NO CARRIER") || line.startsWith("NO ANSWER") || line.startsWith("NO DIALTONE");
}

void dialOnce(MainWindow *w, const QByteArray &command)
{
    Request r;
    r.command = command;
    r.count = 10;
    r.stepMs = 100;
    bool seen = false;
    r.test = [w, &seen](const QByteArray &reply) {
        if (!seen && (reply.contains("ATD") || GsmReply::finalResult(reply) == GsmReply::Final::Ok)) {
            seen = true;
            showStatus(w, MainWindow::tr("Calling..."));
            w->gsm->call.callActive = true;
        }
        return seen ? Verdict::KeepReading : Verdict::Wait;
    };
    if (runExchange(w, r).outcome == Outcome::Error) {
        w->gsm->call.callActive = false;
        errorBox();
    }
}

// Dials until the box is unchecked: each call end ("NO CARRIER", "NO
// ANSWER", "NO DIALTONE") uses up one of two redials.
void dialWithRedial(MainWindow *w, const QByteArray &command)
{
    Request r;
    r.command = command;
    r.count = -1;
    r.stepMs = 100;
    r.errorEnds = false;
    r.ownPrefixes = {"NO CARRIER", "NO ANSWER", "NO DIALTONE"};
    int allowance = 2;
    int handled = 0;
    bool exhausted = false;
    bool failed = false;
    r.test = [&, w](const QByteArray &reply) {
        if (!w->ui->GSM_AutoRedial->isChecked())
            return Verdict::Done;
        const QList<QByteArray> lines = GsmReply::completeLines(reply);
        for (int i = handled; i < lines.size(); ++i) {
            const QByteArray &line = lines.at(i);
            if (line.startsWith("ATD") || line == "OK") {
                showStatus(w, MainWindow::tr("Calling..."));
                w->gsm->call.callActive = true;
            } else if (GsmReply::isErrorLine(line)) {
                failed = true;
                return Verdict::Done;
            } else if (isCallEndLine(line)) {
                w->gsm->call.callActive = false;
                if (--allowance < 0) {
                    exhausted = true;
                    return Verdict::Done;
                }
                w->gsm->exchange.write(command);
            }
        }
        handled = int(lines.size());
        return Verdict::Wait;
    };
    runExchange(w, r);
    if (failed) {
        w->gsm->call.callActive = false;
        errorBox();
    } else if (exhausted) {
        w->ui->GSM_AutoRedial->setChecked(false);
        showStatus(w, MainWindow::tr("Stop"));
        UiPrompt::critical(nullptr, MainWindow::tr("Error: "),
                           QStringLiteral("For academic research only. Prohibiting telephone harassment!"),
                           QMessageBox::Cancel);
    }
}

QList<QWidget *> linkLockedGroups(const Ui::MainWindow *ui)
{
    return {ui->gsm_groupBox_call,   ui->gsm_groupBox_serial,  ui->gsm_groupBox_signal,
            ui->gsm_groupBox_config, ui->gsm_groupBox_SMSsend, ui->gsm_groupBox_SMSRead};
}

// The data link's controls in the "down" state; input goes to the reader of
// unsolicited results again.
void setLinkDown(MainWindow *w)
{
    w->gsm->linkUp = false;
    w->gsmTcpOpen = 0;
    w->ui->GSMTCPopencompushButton->setText(MainWindow::tr("Connect"));
    for (QWidget *group : linkLockedGroups(w->ui))
        group->setEnabled(true);
}

// Waits for a final result; "CLOSE OK", "SHUT OK" and the like count as OK.
Request okOrError(const QByteArray &command, int count = 10)
{
    Request r;
    r.command = commandLine(command);
    r.count = count;
    r.stepMs = 100;
    r.test = [](const QByteArray &reply) {
        if (GsmReply::finalResult(reply) == GsmReply::Final::Ok)
            return Verdict::Done;
        for (const QByteArray &line : GsmReply::completeLines(reply)) {
            if (line.endsWith(" OK"))
                return Verdict::Done;
        }
        return Verdict::Wait;
    };
    return r;
}

// The UCS2 character set; the page decodes caller numbers once the modem
// took it.
bool selectUcs2(MainWindow *w, int count, int stepMs)
{
    Request r;
    r.command = commandLine("AT+CSCS=\"UCS2\"");
    r.count = count;
    r.stepMs = stepMs;
    r.test = [](const QByteArray &reply) {
        return GsmReply::finalResult(reply) == GsmReply::Final::Ok ? Verdict::Done : Verdict::Wait;
    };
    const GsmExchange::Result result = runExchange(w, r);
    if (result.outcome == Outcome::Matched)
        w->gsm->call.ucs2 = true;
    return !ended(result);
}

void indexError()
{
    UiPrompt::critical(nullptr, MainWindow::tr("Info"), QStringLiteral("Error message box number"),
                       QMessageBox::Cancel);
}

void keepOneLine(QTextEdit *box)
{
    box->setAcceptRichText(false);
    QObject::connect(box, &QTextEdit::textChanged, box, [box] {
        QString text = box->toPlainText();
        if (!text.contains(QLatin1Char('\n')))
            return;
        text.remove(QLatin1Char('\n'));
        const QSignalBlocker blocker(box);
        box->setPlainText(text);
        box->moveCursor(QTextCursor::End);
    });
}

void keypadKey(MainWindow *w, char key)
{
    QTextEdit *box = w->ui->GSMtextBrowser_1;
    box->setPlainText(box->toPlainText() + QLatin1Char(key));
    box->moveCursor(QTextCursor::End);
    if (!w->gsm->call.callActive)
        return;
    Command command(w);
    if (!command.started())
        return;
    // A tone: one read right after the write, nothing awaited.
    Request r;
    r.command = commandLine(QByteArray("AT+VTS=") + key);
    r.count = 0;
    r.stepMs = 0;
    runExchange(w, r);
}

} // namespace

void MainWindow::GSM_Init_Start()
{
    gsm = new GsmSession(this);
    // Input outside an exchange: the data link's reader while it is up,
    // else the reader of unsolicited results.
    gsm->exchange.setForward([this](const QByteArray &data) {
        if (gsm->linkUp)
            GSMGPRSreadMyCom(data);
        else
            GSMreadMyCom(data);
    });

    connect(ui->GSMopencompushButton, &QPushButton::pressed, this, &MainWindow::GSMactionOpen_triggered);

    // The number boxes are one line: typed or pasted line breaks are
    // dropped and the rest kept.
    ui->GSMtextBrowser_1->setReadOnly(false);
    keepOneLine(ui->GSMtextBrowser_1);
    keepOneLine(ui->GSMNUMtextEdit);
    ui->GSMTCPReadSBrowser->document()->setMaximumBlockCount(50);

    gsm->clipOn = 0;
    gsm->smsTextMode = 0;
    gsm->call.reset();

    for (QPushButton *button : {ui->GSMLaidianKaiguanpushButton, ui->GSMLaidianYingKaiguanpushButton,
                                ui->GSMDuanXinWenBenKaiguanpushButton}) {
        button->setFlat(true);
        button->setStyleSheet(QStringLiteral("border:none"));
    }
    const QList<QPushButton *> keys = keypad(ui);
    for (int digit = 0; digit <= 9; ++digit)
        keys.at(digit)->setShortcut(QKeySequence(QString::number(digit)));

    GSMUI_EnDisable(false);
    ui->GSMopencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
}

void MainWindow::GSMactionOpen_triggered()
{
    if (serialOpen) {
        GSMsetReadComINT(false);
        ThreadSerial *holder = serialThread;
        serialOpen = false;
        serialThread = nullptr;
        gsm->exchange.setPort(nullptr);
        if (holder) {
            holder->running = false;
            disconnect(holder, &ThreadSerial::Serial_read_Data, &gsm->exchange, &GsmExchange::feed);
            disconnect(holder, &ThreadSerial::portLost, this, &MainWindow::GSM_portLost);
            if (holder->port)
                holder->port->close();
            holder->exit(0);
            holder->wait();
            holder->deleteLater();
        }
        gsm->hangupPending = false;
        callEnded(this);
        setLinkDown(this);
        GSMsetsetComboBoxEnabled(true);
        GSMUI_EnDisable(false);
        showStatus(this, tr("Serial closed"));
        ui->GSMopencompushButton->setText(tr("Open"));
        ui->GSMopencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
        if (portScanTimer)
            portScanTimer->start(500);
        return;
    }

    const QString name = ui->GSMportNameComboBox->currentText();
    if (name.isEmpty())
        return;

    ThreadSerial *holder = new ThreadSerial();
    serialThread = holder;
    holder->portName = name;
    holder->baudRate = ui->GSMbaudRateComboBox->currentText().trimmed().toInt();
    holder->dataBits = 8;
    holder->parityIndex = 0;
    holder->stopBitsIndex = 0;
    holder->open(true);

    if (!holder->opened) {
        showStatus(this, tr("Serial failed to open, The serial does not exist or already used."));
        serialThread = nullptr;
        holder->deleteLater();
        return;
    }

    connect(holder, &ThreadSerial::Serial_read_Data, &gsm->exchange, &GsmExchange::feed, Qt::UniqueConnection);
    connect(holder, &ThreadSerial::portLost, this, &MainWindow::GSM_portLost, Qt::UniqueConnection);
    gsm->exchange.setPort(holder->port);
    gsm->call.reset();
    showStatus(this, tr("Serial opened"));
    ui->GSMopencompushButton->setText(tr("Close"));
    GSMsetsetComboBoxEnabled(false);
    serialOpen = true;
    stop_SerialSacn_new();
    holder->start(QThread::InheritPriority);
    ui->GSMopencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kOpen));

    QPointer<ThreadSerial> guard(holder);
    Phone_Status();
    // The port may have gone while the modem was queried.
    if (guard && serialThread == holder && serialOpen)
        GSMUI_EnDisable(true);
}

void MainWindow::GSM_portLost(const QString &reason)
{
    if (!serialOpen || sender() != serialThread)
        return;
    GSMactionOpen_triggered();
    showStatus(this, tr("Serial port lost, closed: %1").arg(reason));
}

void MainWindow::Phone_Status()
{
    Command command(this);
    if (!command.started())
        return;
    ui->GSMopencompushButton->setEnabled(false);

    bool stop = ended(statusItem(this, "AT+CLIP?", 500, "+CLIP:", GsmReply::clipSetting, [this](int v) {
        gsm->clipOn = v;
        setSwitchIcon(ui->GSMLaidianKaiguanpushButton, v == 1);
    }));
    if (!stop) {
        stop = ended(statusItem(this, "AT+CALM?", 100, "+CALM:", GsmReply::ringToneSetting, [this](int v) {
            gsm->ringToneOn = v;
            setSwitchIcon(ui->GSMLaidianYingKaiguanpushButton, v == 1);
        }));
    }
    if (!stop) {
        stop = ended(statusItem(this, "AT+CMGF?", 500, "+CMGF:", GsmReply::smsModeSetting, [this](int v) {
            gsm->smsTextMode = v;
            setSwitchIcon(ui->GSMDuanXinWenBenKaiguanpushButton, v == 1);
        }));
    }
    ui->GSMopencompushButton->setEnabled(true);
    if (stop)
        return;
    showStatus(this, tr("Initialization completed"));
    signalQuery(this);
}

void MainWindow::GSMUI_EnDisable(bool on)
{
    ui->GSM_AutoRedial->setChecked(false);
    QList<QWidget *> widgets = {ui->GSM_AutoRedial,
                                ui->GSMANJIANpushButton_Clean,
                                ui->GSMbodianhuapushButton,
                                ui->GSMguadianhuapushButton,
                                ui->GSMTestSignalpushButton,
                                ui->GSMtextBrowser_1,
                                ui->GSMLaidianKaiguanpushButton,
                                ui->GSMLaidianYingKaiguanpushButton,
                                ui->GSMDuanXinWenBenKaiguanpushButton,
                                ui->GSMSendpushButton,
                                ui->GSMReadTextpushButton,
                                ui->GSMDelTextpushButton,
                                ui->GSMDelALLTextpushButton,
                                ui->GSMNUMtextEdit,
                                ui->GSMtextBrowser,
                                ui->GSMReadtextBrowser,
                                ui->GSMTCPclientIPlineEdit,
                                ui->GSMTCPclientPortlineEdit,
                                ui->GSMTCPopencompushButton,
                                ui->GSMTCPsendmsgBtn,
                                ui->GSMTcpsendBrowser,
                                ui->GSMTCPReadSBrowser};
    for (QPushButton *key : keypad(ui))
        widgets.append(key);
    for (QWidget *widget : widgets)
        widget->setEnabled(on);

    using Slot = void (MainWindow::*)();
    const QList<QPair<QPushButton *, Slot>> commands = {
        {ui->GSMTestSignalpushButton, &MainWindow::GSMTestSignalpushButton_triggered},
        {ui->GSMLaidianKaiguanpushButton, &MainWindow::GSMLaidianKaiguanpushButton_triggered},
        {ui->GSMLaidianYingKaiguanpushButton, &MainWindow::GSMLaidianYingKaiguanpushButton_triggered},
        {ui->GSMANJIANpushButton_0, &MainWindow::GSMANJIANpushButton0_triggered},
        {ui->GSMANJIANpushButton_1, &MainWindow::GSMANJIANpushButton1_triggered},
        {ui->GSMANJIANpushButton_2, &MainWindow::GSMANJIANpushButton2_triggered},
        {ui->GSMANJIANpushButton_3, &MainWindow::GSMANJIANpushButton3_triggered},
        {ui->GSMANJIANpushButton_4, &MainWindow::GSMANJIANpushButton4_triggered},
        {ui->GSMANJIANpushButton_5, &MainWindow::GSMANJIANpushButton5_triggered},
        {ui->GSMANJIANpushButton_6, &MainWindow::GSMANJIANpushButton6_triggered},
        {ui->GSMANJIANpushButton_7, &MainWindow::GSMANJIANpushButton7_triggered},
        {ui->GSMANJIANpushButton_8, &MainWindow::GSMANJIANpushButton8_triggered},
        {ui->GSMANJIANpushButton_9, &MainWindow::GSMANJIANpushButton9_triggered},
        {ui->GSMANJIANpushButton_10, &MainWindow::GSMANJIANpushButton10_triggered},
        {ui->GSMANJIANpushButton_11, &MainWindow::GSMANJIANpushButton11_triggered},
        {ui->GSMANJIANpushButton_Clean, &MainWindow::GSMactionCleanNumData_triggered},
        {ui->GSMbodianhuapushButton, &MainWindow::GSMbodianhuapushButton_triggered},
        {ui->GSMguadianhuapushButton, &MainWindow::GSMguadianhuapushButton_triggered},
        {ui->GSMDuanXinWenBenKaiguanpushButton, &MainWindow::GSMDuanXinWenBenKaiguanpushButton_triggered},
        {ui->GSMReadTextpushButton, &MainWindow::GSMReadTextpushButton_triggered},
        {ui->GSMDelTextpushButton, &MainWindow::GSMDelTextpushButton_triggered},
        {ui->GSMDelALLTextpushButton, &MainWindow::GSMDelALLTextpushButton_triggered},
        {ui->GSMSendpushButton, &MainWindow::GSMSendpushButton_triggered},
        {ui->GSMTCPopencompushButton, &MainWindow::GSMTCPopencompushButton_triggered},
        {ui->GSMTCPsendmsgBtn, &MainWindow::GSMTCPsendmsgBtn_triggered},
    };
    for (const auto &command : commands) {
        if (on)
            connect(command.first, &QPushButton::pressed, this, command.second, Qt::UniqueConnection);
        else
            disconnect(command.first, &QPushButton::pressed, this, command.second);
    }
    if (on)
        connect(ui->GSMtextBrowser, &QTextEdit::textChanged, this, &MainWindow::slotGSMtextBrowser, Qt::UniqueConnection);
    else
        disconnect(ui->GSMtextBrowser, &QTextEdit::textChanged, this, &MainWindow::slotGSMtextBrowser);
}

void MainWindow::GSMsetReadComINT(bool on)
{
    if (!serialThread)
        return;
    serialThread->running = on;
    serialThread->paused = !on;
}

void MainWindow::GSMreadMyCom(QByteArray data)
{
    const QString answer = QStringLiteral("Answer call");
    for (const GsmCallState::Event &event : gsm->call.feed(data)) {
        switch (event.kind) {
        case GsmCallState::Event::CallEnded:
            showStatus(this, tr("call ended"));
            ui->GSMbodianhuapushButton->setText(tr("Call"));
            break;
        case GsmCallState::Event::Busy:
            showStatus(this, tr("busy"));
            ui->GSMbodianhuapushButton->setText(tr("Call"));
            break;
        case GsmCallState::Event::Calling:
            showStatus(this, tr("Calling..."));
            break;
        case GsmCallState::Event::IncomingCall:
            showStatus(this, tr("Have a new call:"));
            ui->GSMbodianhuapushButton->setText(answer);
            break;
        case GsmCallState::Event::CallerNumber:
            showStatus(this, tr("Have a new call:") + event.text);
            ui->GSMbodianhuapushButton->setText(answer);
            break;
        case GsmCallState::Event::NewMessage:
            showStatus(this, tr("Have new SMS, SMS box:: ") + event.text);
            break;
        }
    }
}

void MainWindow::GSMANJIANpushButton0_triggered() { keypadKey(this, '0'); }
void MainWindow::GSMANJIANpushButton1_triggered() { keypadKey(this, '1'); }
void MainWindow::GSMANJIANpushButton2_triggered() { keypadKey(this, '2'); }
void MainWindow::GSMANJIANpushButton3_triggered() { keypadKey(this, '3'); }
void MainWindow::GSMANJIANpushButton4_triggered() { keypadKey(this, '4'); }
void MainWindow::GSMANJIANpushButton5_triggered() { keypadKey(this, '5'); }
void MainWindow::GSMANJIANpushButton6_triggered() { keypadKey(this, '6'); }
void MainWindow::GSMANJIANpushButton7_triggered() { keypadKey(this, '7'); }
void MainWindow::GSMANJIANpushButton8_triggered() { keypadKey(this, '8'); }
void MainWindow::GSMANJIANpushButton9_triggered() { keypadKey(this, '9'); }
void MainWindow::GSMANJIANpushButton10_triggered() { keypadKey(this, '*'); }
void MainWindow::GSMANJIANpushButton11_triggered() { keypadKey(this, '#'); }

void MainWindow::GSMactionCleanNumData_triggered()
{
    ui->GSMtextBrowser_1->clear();
    showStatus(this, tr("Already cleared"));
}

void MainWindow::GSMbodianhuapushButton_triggered()
{
    Command command(this);
    if (!command.started())
        return;

    if (gsm->call.incomingCall) {
        Request r;
        r.command = commandLine("ATA");
        r.count = 10;
        r.stepMs = 100;
        bool answered = false;
        r.test = [this, &answered](const QByteArray &reply) {
            if (!answered && GsmReply::finalResult(reply) == GsmReply::Final::Ok) {
                answered = true;
                showStatus(this, tr("Calling..."));
                gsm->call.callActive = true;
            }
            return answered ? Verdict::KeepReading : Verdict::Wait;
        };
        const GsmExchange::Result result = runExchange(this, r);
        if (result.outcome == Outcome::Error)
            errorBox();
        ui->GSMbodianhuapushButton->setText(tr("Call"));
        gsm->call.incomingCall = false;
        return;
    }

    const QString number = ui->GSMtextBrowser_1->toPlainText().trimmed();
    if (!validNumber(number)) {
        UiPrompt::critical(nullptr, tr("Info: "), QStringLiteral("Error number"), QMessageBox::Cancel);
        return;
    }
    const QByteArray dial = commandLine("ATD" + number.toLatin1() + ";");
    if (ui->GSM_AutoRedial->isChecked())
        dialWithRedial(this, dial);
    else
        dialOnce(this, dial);
}

void MainWindow::GSMguadianhuapushButton_triggered()
{
    ui->GSM_AutoRedial->setChecked(false);
    if (gsm->busy) {
        gsm->hangupPending = true;
        return;
    }
    Command command(this);
    if (!command.started())
        return;
    gsm->call.callActive = false;
    Request r;
    r.command = commandLine("ATH");
    r.count = 10;
    r.stepMs = 100;
    r.test = [](const QByteArray &reply) {
        return GsmReply::finalResult(reply) == GsmReply::Final::Ok ? Verdict::Done : Verdict::Wait;
    };
    const GsmExchange::Result result = runExchange(this, r);
    if (result.outcome == Outcome::Matched) {
        showStatus(this, tr("call ended"));
        callEnded(this);
    } else if (result.outcome == Outcome::Error) {
        errorBox();
    }
}

void MainWindow::GSMLaidianKaiguanpushButton_triggered()
{
    Command command(this);
    if (!command.started())
        return;
    const bool turnOn = gsm->clipOn == 0;
    if (switchCommand(this, turnOn ? "AT+CLIP=1" : "AT+CLIP=0", turnOn ? 200 : 100)) {
        gsm->clipOn = turnOn ? 1 : 0;
        setSwitchIcon(ui->GSMLaidianKaiguanpushButton, turnOn);
    }
}

void MainWindow::GSMLaidianYingKaiguanpushButton_triggered()
{
    Command command(this);
    if (!command.started())
        return;
    const bool turnOn = gsm->ringToneOn == 0;
    Outcome outcome = Outcome::TimedOut;
    if (switchCommand(this, turnOn ? "AT+CALM=0" : "AT+CALM=1", turnOn ? 200 : 100, &outcome)) {
        gsm->ringToneOn = turnOn ? 1 : 0;
        setSwitchIcon(ui->GSMLaidianYingKaiguanpushButton, turnOn);
    } else if (!turnOn && outcome == Outcome::TimedOut) {
        UiPrompt::warning(nullptr, tr("Info"), tr("No response"), QMessageBox::Cancel);
    }
}

void MainWindow::GSMTestSignalpushButton_triggered()
{
    Command command(this);
    if (!command.started())
        return;
    signalQuery(this);
}

// ---- SMS ----

void MainWindow::GSMDuanXinWenBenKaiguanpushButton_triggered()
{
    Command command(this);
    if (!command.started())
        return;
    const bool turnOn = gsm->smsTextMode == 0;
    Outcome outcome = Outcome::TimedOut;
    if (switchCommand(this, turnOn ? "AT+CMGF=1" : "AT+CMGF=0", turnOn ? 200 : 100, &outcome)) {
        gsm->smsTextMode = turnOn ? 1 : 0;
        setSwitchIcon(ui->GSMDuanXinWenBenKaiguanpushButton, turnOn);
        if (turnOn)
            selectUcs2(this, 200, 10);
    } else if (!turnOn && outcome == Outcome::TimedOut) {
        UiPrompt::warning(nullptr, tr("Info"), tr("No response"), QMessageBox::Cancel);
    }
}

void MainWindow::GSMReadTextpushButton_triggered()
{
    Command command(this);
    if (!command.started())
        return;
    QString index;
    if (!UiPrompt::textInput(nullptr, tr("SMS"), tr("Please enter the number of the SMS box you need to read."),
                             QString(), &index))
        return;
    if (!GsmSms::validIndex(index)) {
        indexError();
        return;
    }
    Request r;
    r.command = commandLine("AT+CMGR=" + index.toLatin1());
    r.count = 10;
    r.stepMs = 100;
    r.ownsUntilFinal = true;
    r.test = [this](const QByteArray &reply) {
        GsmSms::Message message;
        if (GsmSms::parseMessage(reply, &message)) {
            ui->GSMReadtextBrowser->setPlainText(QStringLiteral("Sender:") + message.sender + QStringLiteral("\nTime:")
                                                 + message.time + QLatin1Char('\n') + message.text);
            return Verdict::Done;
        }
        if (GsmReply::finalResult(reply) == GsmReply::Final::Ok) {
            // No message in the reply: what the modem said, as it stands.
            ui->GSMReadtextBrowser->setPlainText(QString::fromUtf8(reply));
            return Verdict::Done;
        }
        return Verdict::Wait;
    };
    if (runExchange(this, r).outcome == Outcome::Error)
        errorBox();
}

void MainWindow::GSMDelTextpushButton_triggered()
{
    Command command(this);
    if (!command.started())
        return;
    QString index;
    if (!UiPrompt::textInput(nullptr, tr("Info"), tr("Please enter the number of the SMS box to be deleted."),
                             QString(), &index))
        return;
    if (!GsmSms::validIndex(index)) {
        indexError();
        return;
    }
    if (switchCommand(this, "AT+CMGD=" + index.toLatin1() + ",0", 10, nullptr, 100))
        UiPrompt::information(nullptr, tr("Info"), QStringLiteral("Successfully deleted"), QMessageBox::Cancel);
}

void MainWindow::GSMDelALLTextpushButton_triggered()
{
    Command command(this);
    if (!command.started())
        return;
    if (UiPrompt::question(nullptr, QStringLiteral("Info"), QStringLiteral("Confirm delete all text messages?"),
                           QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    // Delete-all is a text-mode command: the modem goes there for it and
    // back afterwards, each command after the previous one's result.
    const bool switched = gsm->smsTextMode == 0;
    if (switched && !switchCommand(this, "AT+CMGF=1", 10, nullptr, 100))
        return;
    const bool deleted = switchCommand(this, "AT+CMGDA=DEL ALL", 30, nullptr, 100);
    if (switched && gsm->exchange.portOpen() && !switchCommand(this, "AT+CMGF=0", 10, nullptr, 100)) {
        // Still in text mode: the switch shows what the modem is in.
        gsm->smsTextMode = 1;
        setSwitchIcon(ui->GSMDuanXinWenBenKaiguanpushButton, true);
    }
    if (deleted)
        UiPrompt::information(nullptr, tr("Info"), QStringLiteral("Successfully deleted"), QMessageBox::Cancel);
}

void MainWindow::GSMSendpushButton_triggered()
{
    Command command(this);
    if (!command.started())
        return;
    const QString number = ui->GSMNUMtextEdit->toPlainText().trimmed();
    const QString text = ui->GSMtextBrowser->toPlainText();
    if (number.isEmpty())
        return;

    const bool parametersTaken = switchCommand(this, "AT+CSMP=17,167,2,25", 10, nullptr, 100);
    if (!gsm->exchange.portOpen() || !selectUcs2(this, 10, 100))
        return;

    // The text goes out only after the modem's prompt.
    Request prompt;
    prompt.command = commandLine("AT+CMGS=\"" + GsmSms::QStringtoUNicode(number) + "\"");
    prompt.count = 10;
    prompt.stepMs = 100;
    prompt.ownPrefixes = {">"};
    prompt.test = [](const QByteArray &reply) { return reply.contains('>') ? Verdict::Done : Verdict::Wait; };
    const GsmExchange::Result prompted = runExchange(this, prompt);
    if (ended(prompted))
        return;
    if (prompted.outcome != Outcome::Matched) {
        if (parametersTaken || prompted.outcome == Outcome::Error)
            showStatus(this, tr("SMS sent failed"));
        return;
    }

    // Modems take up to a minute to report a message sent.
    Request body;
    body.command = GsmSms::QStringtoUNicode(text) + '\x1a';
    body.count = 599;
    body.stepMs = 100;
    body.ownsUntilFinal = true;
    body.test = [](const QByteArray &reply) { return reply.contains("+CMGS") ? Verdict::Done : Verdict::Wait; };
    const GsmExchange::Result sent = runExchange(this, body);
    if (ended(sent))
        return;
    showStatus(this, sent.outcome == Outcome::Matched ? tr("SMS sent successfully") : tr("SMS sent failed"));
}

void MainWindow::slotGSMtextBrowser()
{
    QTextEdit *box = ui->GSMtextBrowser;
    const QString text = box->toPlainText();
    if (text.size() <= GsmSms::kMaxUnits)
        return;
    int cursor = box->textCursor().position();
    const QString kept = GsmSms::limitText(text, &cursor);
    const QSignalBlocker blocker(box);
    box->setPlainText(kept);
    QTextCursor c = box->textCursor();
    c.setPosition(qBound(0, cursor, int(kept.size())));
    box->setTextCursor(c);
}

// ---- Data link ----

void MainWindow::GSMTCPopencompushButton_triggered()
{
    Command command(this);
    if (!command.started())
        return;

    if (gsmTcpOpen == 1) {
        setLinkDown(this);
        if (!ended(runExchange(this, okOrError("AT+CIPCLOSE=1"))))
            runExchange(this, okOrError("AT+CIPSHUT"));
        return;
    }

    const QString host = ui->GSMTCPclientIPlineEdit->text().trimmed();
    const QString port = ui->GSMTCPclientPortlineEdit->text().trimmed();
    if (!GsmSms::validHost(host) || !GsmSms::validPort(port)) {
        UiPrompt::critical(nullptr, tr("Info"), QStringLiteral("Please fill in the full server IP and PORT"),
                           QMessageBox::Cancel);
        return;
    }
    ui->GSMTCPopencompushButton->setText(tr("Disconnect"));
    for (QWidget *group : linkLockedGroups(ui))
        group->setEnabled(false);
    gsmTcpOpen = 1;

    for (const QByteArray &setup : {QByteArray("AT+CGCLASS=\"B\""), QByteArray("AT+CGDCONT=1,\"IP\",\"CMNET\""),
                                    QByteArray("AT+CGATT=1"), QByteArray("AT+CIPCSGP=1,\"CMNET\""),
                                    QByteArray("AT+CLPORT=\"TCP\",\"2222\"")}) {
        if (ended(runExchange(this, okOrError(setup)))) {
            setLinkDown(this);
            return;
        }
    }

    Request start;
    start.command = commandLine("AT+CIPSTART=\"TCP\",\"" + host.toLatin1() + "\",\"" + port.toLatin1() + "\"");
    start.count = 500;
    start.stepMs = 100;
    start.ownPrefixes = {"CONNECT"};
    bool refused = false;
    start.test = [this, &refused](const QByteArray &reply) {
        if (reply.contains("CONNECT OK")) {
            // Data that came with the result already belong to the link.
            gsm->linkUp = true;
            gsm->linkDecoder.reset();
            return Verdict::Done;
        }
        if (GsmReply::hasLineStarting(reply, "CONNECT FAIL")) {
            refused = true;
            return Verdict::Done;
        }
        return Verdict::Wait;
    };
    const GsmExchange::Result result = runExchange(this, start);
    if (result.outcome == Outcome::Matched && !refused) {
        UiPrompt::information(nullptr, tr("Info"), QStringLiteral("connection succeeded"), QMessageBox::Cancel);
        return;
    }
    setLinkDown(this);
    if (result.outcome == Outcome::Error || refused)
        errorBox();
    else if (result.outcome == Outcome::TimedOut)
        UiPrompt::critical(nullptr, tr("Info"), QStringLiteral("Remote server is not responding"), QMessageBox::Cancel);
}

void MainWindow::GSMTCPsendmsgBtn_triggered()
{
    Command command(this);
    if (!command.started())
        return;
    const QByteArray data = GsmSms::linkData(ui->GSMTcpsendBrowser->toPlainText().toLocal8Bit());
    if (data.isEmpty()) {
        UiPrompt::critical(nullptr, tr("Info"), QStringLiteral("No information need to send"), QMessageBox::Cancel);
        return;
    }
    Request prompt;
    prompt.command = commandLine("AT+CIPSEND");
    prompt.count = 10;
    prompt.stepMs = 100;
    prompt.ownPrefixes = {">"};
    prompt.test = [](const QByteArray &reply) { return reply.contains('>') ? Verdict::Done : Verdict::Wait; };
    const GsmExchange::Result prompted = runExchange(this, prompt);
    if (ended(prompted))
        return;
    if (prompted.outcome != Outcome::Matched) {
        errorBox();
        return;
    }
    Request body;
    body.command = data + '\x1a';
    body.count = 10;
    body.stepMs = 100;
    // The modem's echo of the data is no data from the server.
    body.ownsUntilFinal = true;
    body.endPrefixes = {"SEND OK", "SEND FAIL"};
    bool failed = false;
    body.test = [&failed](const QByteArray &reply) {
        failed = GsmReply::hasLineStarting(reply, "SEND FAIL");
        return failed || GsmReply::hasLineStarting(reply, "SEND OK") ? Verdict::Done : Verdict::Wait;
    };
    if (runExchange(this, body).outcome == Outcome::Error || failed)
        errorBox();
}

void MainWindow::GSMGPRSreadMyCom(QByteArray data)
{
    if (data.isEmpty() || data.contains("WARNNING"))
        return;
    if (!gsm->linkDecoder) {
        QTextCodec *gbk = QTextCodec::codecForName("GBK");
        gsm->linkDecoder.reset(gbk ? gbk->makeDecoder() : QTextCodec::codecForName("UTF-8")->makeDecoder());
    }
    const QString text = RxFormat::cutLongRuns(gsm->linkDecoder->toUnicode(data), &gsm->linkColumn);
    QTextCursor end(ui->GSMTCPReadSBrowser->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
}
