// "GSM Debug" page: a GSM/GPRS modem on the shared serial port. Every
// command runs as one exchange of the page's GsmExchange, which also routes
// the port's input (devices/gsm/).
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "gsm/gsmreply.h"
#include "gsm/gsmsession.h"
#include "gsm/gsmsms.h"
#include "rxformat.h"
#include "deviceport.h"
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

// A command of the page. Only one runs at a time; a hang-up pressed while
// one runs is sent as soon as it ends. A command belongs to the exchange
// generation it started under: once the port closes (or another opens) or
// the window closes, the rest of it writes nothing.
class Command
{
public:
    explicit Command(MainWindow *w) : m_w(w)
    {
        GsmSession *s = w->gsm;
        m_started = !s->closed && !s->busy && s->exchange.portOpen();
        if (!m_started)
            return;
        s->busy = true;
        m_generation = s->exchange.generation();
        m_previous = s->commandGeneration;
        s->commandGeneration = m_generation;
    }
    ~Command()
    {
        if (!m_started)
            return;
        GsmSession *s = m_w->gsm;
        s->commandGeneration = m_previous;
        // Closed under it: the page's state is no longer this command's.
        if (s->closed || m_generation != s->exchange.generation())
            return;
        s->busy = false;
        if (s->hangupPending) {
            s->hangupPending = false;
            if (s->exchange.portOpen())
                m_w->GSMguadianhuapushButton_triggered();
        }
    }
    Command(const Command &) = delete;
    Command &operator=(const Command &) = delete;
    bool started() const { return m_started; }

private:
    MainWindow *m_w;
    bool m_started = false;
    quint64 m_generation = GsmSession::kNoCommand;
    quint64 m_previous = GsmSession::kNoCommand;
};

// One exchange with the port's input handed to it for its duration; none
// once the command it belongs to has been closed under.
GsmExchange::Result runExchange(MainWindow *w, const Request &request)
{
    if (!w->gsm->commandLive()) {
        GsmExchange::Result result;
        result.outcome = Outcome::Aborted;
        return result;
    }
    w->GSMsetReadComINT(false);
    const GsmExchange::Result result = w->gsm->exchange.run(request);
    // An exchange ended by a close leaves the port's holder (maybe a new
    // one) alone.
    if (result.outcome != Outcome::Aborted)
        w->GSMsetReadComINT(true);
    return result;
}

// Bytes written outside an exchange by the running command.
void commandWrite(MainWindow *w, const QByteArray &bytes)
{
    if (w->gsm->commandLive())
        w->gsm->exchange.write(bytes);
}

bool ended(const GsmExchange::Result &result)
{
    return result.outcome == Outcome::PortClosed || result.outcome == Outcome::Aborted
           || result.outcome == Outcome::Busy;
}

// A command the modem answered with an error result.
void refusedBox(const QByteArray &command, const GsmExchange::Result &result)
{
    UiPrompt::warning(nullptr, MainWindow::tr("Info"),
                      MainWindow::tr("The modem refused %1: %2")
                          .arg(QString::fromLatin1(command), QString::fromLatin1(result.errorLine)),
                      QMessageBox::Cancel);
}

void noResponseBox()
{
    UiPrompt::warning(nullptr, MainWindow::tr("Info"), MainWindow::tr("No response"), QMessageBox::Cancel);
}

// The page's port on the shared open and close road; the modem's input goes
// to the exchange engine, which routes it.
DevicePort gsmPort(MainWindow *w)
{
    DevicePort port{w->ui->GSMportNameComboBox, w->ui->GSMbaudRateComboBox, w->ui->GSMopencompushButton};
    GsmExchange *exchange = &w->gsm->exchange;
    port.read = [exchange](const QByteArray &data) { exchange->feed(data); };
    port.reader = exchange;
    port.lost = &MainWindow::GSM_portLost;
    port.lock = &MainWindow::GSMsetsetComboBoxEnabled;
    return port;
}

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
    r.shape.ownPrefixes = {"+CSQ:"};
    r.test = [w](const GsmAnswer &answer) {
        int rssi = 0;
        if (!GsmReply::signalValue(answer.text(), &rssi))
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
    r.shape.ownPrefixes = {prefix};
    int applied = -1;
    r.test = [read, apply, &applied](const GsmAnswer &answer) {
        const int v = read(answer.text());
        if (v < 0)
            return Verdict::Wait;
        if (v != applied) {
            applied = v;
            apply(v);
        }
        // The final result is the command's too: it must not be left for the
        // next command to take as its own.
        return Verdict::DoneAtFinal;
    };
    return runExchange(w, r);
}

// A command that the modem confirms with OK.
GsmExchange::Result okCommand(MainWindow *w, const QByteArray &command, int count, int stepMs)
{
    Request r;
    r.command = commandLine(command);
    r.count = count;
    r.stepMs = stepMs;
    r.test = [](const GsmAnswer &answer) {
        return answer.final() == GsmReply::Final::Ok ? Verdict::Done : Verdict::Wait;
    };
    return runExchange(w, r);
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
    r.test = [w, &seen](const GsmAnswer &answer) {
        if (!seen && (answer.echoes() > 0 || answer.final() == GsmReply::Final::Ok)) {
            seen = true;
            showStatus(w, MainWindow::tr("Calling..."));
            w->gsm->call.callActive = true;
        }
        return seen ? Verdict::KeepReading : Verdict::Wait;
    };
    const GsmExchange::Result result = runExchange(w, r);
    if (result.outcome == Outcome::Error) {
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
    r.shape.results = {"NO CARRIER", "NO ANSWER", "NO DIALTONE"};
    int allowance = 2;
    int handled = 0;
    bool exhausted = false;
    bool failed = false;
    r.test = [&, w](const GsmAnswer &answer) {
        if (!w->ui->GSM_AutoRedial->isChecked())
            return Verdict::Done;
        const QList<QByteArray> &lines = answer.lines();
        for (int i = handled; i < lines.size(); ++i) {
            const QByteArray &line = lines.at(i);
            if (line.startsWith("ATD") || line == "OK") {
                showStatus(w, MainWindow::tr("Calling..."));
                w->gsm->call.callActive = true;
            } else if (GsmReply::isErrorLine(line)) {
                handled = i + 1;
                failed = true;
                return Verdict::Done;
            } else if (isCallEndLine(line)) {
                w->gsm->call.callActive = false;
                if (--allowance < 0) {
                    handled = i + 1;
                    exhausted = true;
                    return Verdict::Done;
                }
                commandWrite(w, command);
            }
        }
        handled = int(lines.size());
        return Verdict::Wait;
    };
    if (ended(runExchange(w, r)))
        return;
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

// Waits for a final result; the link commands' own results ("CLOSE OK",
// "SHUT OK") count as OK.
Request okOrError(const QByteArray &command, int count = 10)
{
    Request r;
    r.command = commandLine(command);
    r.count = count;
    r.stepMs = 100;
    r.shape.results = {"CLOSE OK", "SHUT OK"};
    r.test = [](const GsmAnswer &answer) {
        if (answer.final() == GsmReply::Final::Ok || answer.hasLineStarting("CLOSE OK")
            || answer.hasLineStarting("SHUT OK"))
            return Verdict::Done;
        return Verdict::Wait;
    };
    return r;
}

// The UCS2 character set; the page decodes caller numbers once the modem
// took it.
bool selectUcs2(MainWindow *w, int count, int stepMs)
{
    const GsmExchange::Result result = okCommand(w, "AT+CSCS=\"UCS2\"", count, stepMs);
    if (result.outcome == Outcome::Matched)
        w->gsm->call.ucs2 = true;
    return !ended(result);
}

// The text after a "> " prompt: awaited for up to a second. A prompt that
// did not come may still come late; ESC then takes the modem out of text
// entry, so it does not read the next command as text.
GsmExchange::Result awaitPrompt(MainWindow *w, const QByteArray &command)
{
    Request r;
    r.command = commandLine(command);
    r.count = 10;
    r.stepMs = 100;
    r.shape.prompt = true;
    r.test = [](const GsmAnswer &answer) { return answer.prompted() ? Verdict::Done : Verdict::Wait; };
    const GsmExchange::Result result = runExchange(w, r);
    if (result.outcome == Outcome::TimedOut)
        commandWrite(w, "\x1b");
    return result;
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
    // A tone: its final result is awaited, so a late one is not taken for
    // the next command's.
    Request r;
    r.command = commandLine(QByteArray("AT+VTS=") + key);
    r.count = 10;
    r.stepMs = 100;
    r.test = [](const GsmAnswer &answer) {
        return answer.final() != GsmReply::Final::None ? Verdict::Done : Verdict::Wait;
    };
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
    // A window that really closes ends the running command, its remaining
    // steps, a redial and a pending hang-up: nothing more is written.
    addCloseHook(gsm, [this] {
        gsm->closed = true;
        gsm->hangupPending = false;
        gsm->busy = false;
        gsm->exchange.stop();
    });

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
        // Ends a running command where it stands (it goes no further, also
        // not on a port opened again before it noticed).
        gsm->exchange.setPort(nullptr);
        gsm->busy = false;
        gsm->hangupPending = false;
        closeDevicePort(gsmPort(this));
        callEnded(this);
        setLinkDown(this);
        GSMUI_EnDisable(false);
        return;
    }
    if (!toggleDevicePort(gsmPort(this)))
        return;
    ThreadSerial *holder = serialThread;
    gsm->exchange.setPort(holder->port);
    gsm->call.reset();

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
        r.test = [this, &answered](const GsmAnswer &answer) {
            if (!answered && answer.final() == GsmReply::Final::Ok) {
                answered = true;
                showStatus(this, tr("Calling..."));
                gsm->call.callActive = true;
            }
            return answered ? Verdict::KeepReading : Verdict::Wait;
        };
        const GsmExchange::Result result = runExchange(this, r);
        if (result.outcome == Outcome::Aborted)
            return;
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
    if (gsm->closed)
        return;
    if (gsm->busy) {
        gsm->hangupPending = true;
        return;
    }
    Command command(this);
    if (!command.started())
        return;
    gsm->call.callActive = false;
    const GsmExchange::Result result = okCommand(this, "ATH", 10, 100);
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
    const QByteArray line = turnOn ? "AT+CLIP=1" : "AT+CLIP=0";
    const GsmExchange::Result result = okCommand(this, line, turnOn ? 200 : 100, 10);
    if (result.outcome == Outcome::Matched) {
        gsm->clipOn = turnOn ? 1 : 0;
        setSwitchIcon(ui->GSMLaidianKaiguanpushButton, turnOn);
    } else if (result.outcome == Outcome::Error) {
        refusedBox(line, result);
    }
}

void MainWindow::GSMLaidianYingKaiguanpushButton_triggered()
{
    Command command(this);
    if (!command.started())
        return;
    const bool turnOn = gsm->ringToneOn == 0;
    const QByteArray line = turnOn ? "AT+CALM=0" : "AT+CALM=1";
    const GsmExchange::Result result = okCommand(this, line, turnOn ? 200 : 100, 10);
    if (result.outcome == Outcome::Matched) {
        gsm->ringToneOn = turnOn ? 1 : 0;
        setSwitchIcon(ui->GSMLaidianYingKaiguanpushButton, turnOn);
    } else if (result.outcome == Outcome::Error) {
        refusedBox(line, result);
    } else if (!turnOn && result.outcome == Outcome::TimedOut) {
        noResponseBox();
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
    const QByteArray line = turnOn ? "AT+CMGF=1" : "AT+CMGF=0";
    const GsmExchange::Result result = okCommand(this, line, turnOn ? 200 : 100, 10);
    if (result.outcome == Outcome::Matched) {
        gsm->smsTextMode = turnOn ? 1 : 0;
        setSwitchIcon(ui->GSMDuanXinWenBenKaiguanpushButton, turnOn);
        if (turnOn)
            selectUcs2(this, 200, 10);
    } else if (result.outcome == Outcome::Error) {
        refusedBox(line, result);
    } else if (!turnOn && result.outcome == Outcome::TimedOut) {
        noResponseBox();
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
    // The message's text lines are the answer's, whatever they read; its
    // result is the final result after them.
    r.shape.messageHeader = "+CMGR:";
    r.test = [this](const GsmAnswer &answer) {
        if (answer.final() != GsmReply::Final::Ok || (answer.hasMessage() && !answer.messageComplete()))
            return Verdict::Wait;
        GsmSms::Message message;
        if (answer.hasMessage()
            && GsmSms::parseMessage(answer.messageHeaderLine(), answer.messageLines(), &message)) {
            ui->GSMReadtextBrowser->setPlainText(QStringLiteral("Sender:") + message.sender + QStringLiteral("\nTime:")
                                                 + message.time + QLatin1Char('\n') + message.text);
        } else {
            // No message in the reply: what the modem said, as it stands.
            ui->GSMReadtextBrowser->setPlainText(QString::fromUtf8(answer.text()));
        }
        return Verdict::Done;
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
    if (okCommand(this, "AT+CMGD=" + index.toLatin1() + ",0", 10, 100).outcome == Outcome::Matched)
        UiPrompt::information(nullptr, tr("Info"), QStringLiteral("Successfully deleted"), QMessageBox::Cancel);
}

void MainWindow::GSMDelALLTextpushButton_triggered()
{
    Command command(this);
    if (!command.started())
        return;
    // Return answers No: deleting every message takes a deliberate Yes.
    if (UiPrompt::question(nullptr, QStringLiteral("Info"), QStringLiteral("Confirm delete all text messages?"),
                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    // Delete-all is a text-mode command: the modem goes there for it and
    // back afterwards, each command after the previous one's result.
    const auto failed = [](const QByteArray &line, const GsmExchange::Result &result) {
        if (result.outcome == Outcome::Error)
            refusedBox(line, result);
        else if (result.outcome == Outcome::TimedOut)
            noResponseBox();
    };
    const bool switched = gsm->smsTextMode == 0;
    if (switched) {
        const GsmExchange::Result toText = okCommand(this, "AT+CMGF=1", 10, 100);
        if (ended(toText))
            return;
        if (toText.outcome != Outcome::Matched) {
            failed("AT+CMGF=1", toText);
            return;
        }
    }
    const GsmExchange::Result deleteAll = okCommand(this, "AT+CMGDA=DEL ALL", 30, 100);
    if (ended(deleteAll))
        return;
    if (deleteAll.outcome != Outcome::Matched)
        failed("AT+CMGDA=DEL ALL", deleteAll);
    if (switched) {
        const GsmExchange::Result back = okCommand(this, "AT+CMGF=0", 10, 100);
        if (ended(back))
            return;
        if (back.outcome != Outcome::Matched) {
            // Still in text mode: the switch shows what the modem is in.
            gsm->smsTextMode = 1;
            setSwitchIcon(ui->GSMDuanXinWenBenKaiguanpushButton, true);
            failed("AT+CMGF=0", back);
        }
    }
    if (deleteAll.outcome == Outcome::Matched)
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

    const GsmExchange::Result parameters = okCommand(this, "AT+CSMP=17,167,2,25", 10, 100);
    if (ended(parameters) || !selectUcs2(this, 10, 100))
        return;

    // The text goes out only after the modem's prompt.
    const GsmExchange::Result prompted =
        awaitPrompt(this, "AT+CMGS=\"" + GsmSms::QStringtoUNicode(number) + "\"");
    if (ended(prompted))
        return;
    if (!prompted.prompted) {
        if (parameters.outcome == Outcome::Matched || prompted.outcome == Outcome::Error)
            showStatus(this, tr("SMS sent failed"));
        return;
    }

    // Modems take up to a minute to report a message sent. An echoing
    // modem sends the text back first; that is no part of the answer.
    const QByteArray body = GsmSms::QStringtoUNicode(text) + '\x1a';
    Request r;
    r.command = body;
    r.count = 599;
    r.stepMs = 100;
    if (prompted.echoes > 0)
        r.shape.dataEcho = body;
    r.shape.ownPrefixes = {"+CMGS:"};
    r.test = [](const GsmAnswer &answer) {
        return answer.hasLineStarting("+CMGS:") ? Verdict::DoneAtFinal : Verdict::Wait;
    };
    const GsmExchange::Result sent = runExchange(this, r);
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
    start.shape.results = {"CONNECT OK", "CONNECT FAIL", "ALREADY CONNECT"};
    bool refused = false;
    start.test = [this, &refused](const GsmAnswer &answer) {
        if (answer.hasLineStarting("CONNECT OK") || answer.hasLineStarting("ALREADY CONNECT")) {
            // Whatever follows the result belongs to the link, in the same
            // read as well.
            gsm->linkUp = true;
            gsm->linkDecoder.reset();
            return Verdict::Done;
        }
        if (answer.hasLineStarting("CONNECT FAIL")) {
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
    if (ended(result))
        return;
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
    const GsmExchange::Result prompted = awaitPrompt(this, "AT+CIPSEND");
    if (ended(prompted))
        return;
    if (!prompted.prompted) {
        errorBox();
        return;
    }
    // An echoing modem (it echoed the command) sends the data back as it
    // takes them: that echo is read and dropped before the result is
    // awaited. Anything else that comes meanwhile is the server's.
    const bool echoing = prompted.echoes > 0;
    Request echo;
    echo.command = data;
    echo.count = 1;
    echo.stepMs = 100;
    echo.errorEnds = false;
    echo.shape.finals = GsmAnswer::Shape::Finals::None;
    if (echoing) {
        echo.shape.dataEcho = data;
        echo.test = [](const GsmAnswer &answer) { return answer.dataEchoed() ? Verdict::Done : Verdict::Wait; };
    }
    if (ended(runExchange(this, echo)))
        return;

    // The send's own result is "SEND OK" (or "SEND FAIL", or an error): a
    // plain "OK" now is the server's data.
    Request done;
    done.command = QByteArray(1, '\x1a');
    done.count = 10;
    done.stepMs = 100;
    if (echoing)
        done.shape.dataEcho = done.command;
    done.shape.finals = GsmAnswer::Shape::Finals::ErrorsOnly;
    done.shape.results = {"SEND OK", "SEND FAIL"};
    bool failed = false;
    done.test = [&failed](const GsmAnswer &answer) {
        failed = answer.hasLineStarting("SEND FAIL");
        return failed || answer.hasLineStarting("SEND OK") ? Verdict::Done : Verdict::Wait;
    };
    const GsmExchange::Result result = runExchange(this, done);
    if (ended(result))
        return;
    if (result.outcome == Outcome::Error || failed)
        errorBox();
}

void MainWindow::GSMGPRSreadMyCom(QByteArray data)
{
    if (data.isEmpty() || data.contains("WARNNING"))
        return;
    QString text = gsm->linkDecoder.decode(data);
    // Line ends show as one line break; a zero byte is data too and shows
    // as the symbol for NUL.
    text.remove(QLatin1Char('\r'));
    text.replace(QChar(0), QChar(0x2400));
    text = RxFormat::cutLongRuns(text, &gsm->linkColumn);
    QTextCursor end(ui->GSMTCPReadSBrowser->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
}
