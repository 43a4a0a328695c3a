#include "terminalpanel.h"

#include "receivedisplay.h"
#include "rxformat.h"
#include "sendqueue.h"
#include "uiprompt.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QIODevice>
#include <QLCDNumber>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextCursor>
#include <QTimer>

namespace {
// Largest file the send box takes.
constexpr qint64 kLoadLimit = 10000;
} // namespace

TerminalPanel::TerminalPanel(QWidget *window, const TerminalWidgets &widgets, ReceiveDisplay *display,
                             const Options &options)
    : m_window(window), m_w(widgets), m_display(display), m_options(options)
{
}

TerminalPanel::~TerminalPanel() = default;

void TerminalPanel::status(const QString &text) const
{
    m_w.statusBar->showMessage(text);
}

void TerminalPanel::showCount(QLCDNumber *counter, qint64 total)
{
    if (total >= RxFormat::kCounterCap)
        counter->display(QStringLiteral("99999"));
    else
        counter->display(int(total));
}

void TerminalPanel::countSent(qint64 bytes)
{
    if (bytes <= 0)
        return;
    m_sent->total += bytes;
    showCount(m_w.sendCounter, m_sent->total);
}

bool TerminalPanel::queueSend(QIODevice *device, const QByteArray &bytes)
{
    return SendQueue::queue(device, bytes);
}

void TerminalPanel::countWritesOf(QIODevice *device)
{
    // The count outlives this object; the display may go before the device.
    QPointer<QLCDNumber> counter = m_w.sendCounter;
    std::shared_ptr<SentCount> sent = m_sent;
    SendQueue::countTaken(device, [counter, sent](qint64 bytes) {
        sent->total += bytes;
        if (counter)
            showCount(counter, sent->total);
    });
}

void TerminalPanel::peerNotReading(const QString &who)
{
    const QString text =
        tr("%1 is not reading; nothing more is sent until it has taken what is already waiting").arg(who);
    if (m_w.statusBar->currentMessage() != text)
        status(text);
}

bool TerminalPanel::send(QIODevice *device, const QByteArray &bytes, const QString &who)
{
    if (queueSend(device, bytes))
        return true;
    notSent(device, bytes.size(), who);
    return false;
}

void TerminalPanel::notSent(const QIODevice *device, qint64 size, const QString &who)
{
    if (!SendQueue::hasRoomFor(device, size)) {
        peerNotReading(who);
        return;
    }
    // A device that is closed or open for reading only says nothing of it
    // in its error text.
    const QString reason = !device->isOpen()       ? tr("not open")
                           : !device->isWritable() ? tr("not open for writing")
                                                   : device->errorString();
    status(tr("Send failed: %1").arg(reason));
}

TerminalPanel::Press TerminalPanel::sendPressed(QTimer *timer, int interval, const QString &idleText)
{
    // Keep-send runs exactly while its timer does (the button then says
    // "Pause").
    if (timer->isActive()) {
        stopKeepSend(timer, idleText);
        return Press::Paused;
    }
    if (m_w.sendBox->toPlainText().isEmpty()) {
        status(tr("No Data"));
        return Press::NoData;
    }
    if (!m_w.keepSend->isChecked()) {
        m_w.sendBox->setFocus();
        return Press::SendOnce;
    }
    timer->start(interval);
    m_w.sendButton->setText(tr("Pause"));
    m_w.sendButton->setIcon(QIcon(QStringLiteral(":/images/pause.png")));
    return Press::Started;
}

void TerminalPanel::stopKeepSend(QTimer *timer, const QString &idleText)
{
    timer->stop();
    m_w.sendButton->setText(idleText);
    m_w.sendButton->setIcon(QIcon(QStringLiteral(":/images/send.png")));
}

void TerminalPanel::setSendEnabled(bool on)
{
    m_w.interval->setEnabled(false);
    m_w.sendButton->setEnabled(on);
    m_w.sendBox->setEnabled(on);
}

void TerminalPanel::hexSwitchChanged()
{
    m_w.hexView->setVisible(m_w.hexSwitch->isChecked());
    if (m_w.timeSwitch->isChecked()) {
        m_w.hexView->moveCursor(QTextCursor::End);
        m_w.textView->moveCursor(QTextCursor::End);
    }
}

void TerminalPanel::keepSendChanged()
{
    const bool on = m_w.keepSend->isChecked();
    m_w.interval->setEnabled(on);
    status(on ? tr("Enable Keep sending") : tr("Disable Keep sending"));
}

void TerminalPanel::clearReceive()
{
    m_display->clear();
    status(tr("Receive has been cleared"));
}

void TerminalPanel::clearCounters()
{
    m_display->flush();
    m_sent->total = 0;
    if (m_w.sendCounter->intValue() != 0 || m_w.recvCounter->intValue() != 0) {
        m_w.sendCounter->display(0);
        m_w.recvCounter->display(0);
    }
    status(tr("Counter has been cleared"));
}

void TerminalPanel::clearSendBox()
{
    m_w.sendBox->clear();
    status(tr("Send has been cleared"));
}

void TerminalPanel::importFile()
{
    const QString path = UiPrompt::openFileName(m_window, tr("Read file"), QString(), QStringLiteral("(*)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    // Only regular files: a FIFO or a device could block or never end.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        status(tr("Open failed: Failed to open this file, this may be due to insufficient permissions."));
        return;
    }
    const qint64 size = file.size();
    if (size > kLoadLimit) {
        status(tr("Load failed: file size is %1 bytes, Exceeded the limit size 10000 bytes").arg(size));
        return;
    }
    // Every line goes in as it is, after what the send box holds.
    QTextCursor cursor(m_w.sendBox->document());
    cursor.movePosition(QTextCursor::End);
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (m_options.importStopsAtNul) {
            const qsizetype nul = line.indexOf('\0');
            if (nul >= 0)
                line.truncate(nul);
        }
        cursor.insertText(QString::fromUtf8(line));
    }
    status(tr("Success for read the data in the file"));
}

void TerminalPanel::exportFile()
{
    m_display->flush();
    // What arrived, not the view's display lines.
    const QString text = m_display->receivedText();
    if (text.isEmpty()) {
        status(tr("No data need to save"));
        return;
    }
    const QString path = UiPrompt::saveFileName(m_window, tr("Save as"), tr("newtxt.txt"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const auto failed = [&] {
        status(tr("Save failed:Open file %1 failed, can't save\n%2").arg(path, file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        failed();
        return;
    }
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        failed();
        return;
    }
    if (!file.commit()) {
        failed();
        return;
    }
    status(QStringLiteral("Saved success.\tsaved: ") + QFileInfo(path).canonicalFilePath());
}
