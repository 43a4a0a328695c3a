#include "netterminal.h"

#include "netsend.h"
#include "receivedisplay.h"
#include "uiprompt.h"

#include <QAbstractSocket>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QIcon>
#include <QLCDNumber>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextCursor>
#include <QTimer>

namespace {
// Largest file the send box takes.
constexpr qint64 kLoadLimit = 10000;
// How long a closing socket may take to send what is still queued.
constexpr int kCloseGraceMs = 3000;
} // namespace

NetTerminal::NetTerminal(QWidget *window, const NetTerminalWidgets &widgets)
    : m_window(window), m_w(widgets), m_decoder("GBK", "UTF-8")
{
    // The display limits both views to 10000 blocks and makes them
    // read-only with selectable text.
    ReceiveDisplay::Options options;
    options.hexFormat = QStringLiteral("0x%1, ");
    options.hexUpperCase = true;
    options.hexBreakAfterLineFeed = false;
    options.countCarriageReturns = false;
    // Sixteen bytes per hex line: the block cap then holds the hex view to
    // about a megabyte of text, and lines break between tokens.
    options.hexMaxLineChars = 16 * 6;
    options.encoding = "GBK";
    m_display = new ReceiveDisplay(m_w.textView, m_w.hexView, options, window);
    m_display->setCounter(m_w.recvCounter);
    m_w.hexView->hide();
}

NetTerminal::~NetTerminal()
{
    for (const QPointer<QObject> &sender : std::as_const(m_watched)) {
        if (sender)
            QObject::disconnect(sender, nullptr, m_window, nullptr);
    }
}

void NetTerminal::status(const QString &text) const
{
    m_w.statusBar->showMessage(text);
}

PeerDecoder::Peer NetTerminal::peerOf(const QObject *socket)
{
    return PeerDecoder::Peer(reinterpret_cast<quintptr>(socket));
}

PeerDecoder::Peer NetTerminal::peerOf(const QHostAddress &address, quint16 port)
{
    bool v4 = false;
    const quint32 ip4 = address.toIPv4Address(&v4);
    if (v4)
        return (PeerDecoder::Peer(ip4) << 16) | port;
    return PeerDecoder::Peer(qHash(address, port)) | (PeerDecoder::Peer(1) << 63);
}

void NetTerminal::show(PeerDecoder::Peer peer, const QByteArray &bytes)
{
    const bool stamped = m_w.timeSwitch->isChecked();
    m_display->appendDecoded(bytes, m_decoder.decode(peer, bytes, stamped), stamped);
}

void NetTerminal::endPeer(PeerDecoder::Peer peer)
{
    const QString rest = m_decoder.finish(peer);
    if (!rest.isEmpty())
        m_display->appendDecoded(QByteArray(), rest, false);
}

void NetTerminal::endAllPeers()
{
    const QString rest = m_decoder.finishAll();
    if (!rest.isEmpty())
        m_display->appendDecoded(QByteArray(), rest, false);
}

void NetTerminal::watch(QObject *sender)
{
    m_watched.removeAll(QPointer<QObject>());
    m_watched.append(sender);
}

void NetTerminal::retire(QAbstractSocket *socket)
{
    if (!socket)
        return;
    QObject::disconnect(socket, nullptr, m_window, nullptr);
    endPeer(peerOf(socket));
    QObject::connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kCloseGraceMs, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
}

QByteArray NetTerminal::bytesToSend() const
{
    return NetSend::prepare(m_w.sendBox->toPlainText(), m_w.sendAsHex->isChecked());
}

namespace {
void showCount(QLCDNumber *counter, qint64 total)
{
    if (total >= RxFormat::kCounterCap)
        counter->display(QStringLiteral("99999"));
    else
        counter->display(int(total));
}
} // namespace

void NetTerminal::countSent(qint64 bytes)
{
    if (bytes <= 0)
        return;
    m_sent->total += bytes;
    showCount(m_w.sendCounter, m_sent->total);
}

void NetTerminal::countWritesOf(QAbstractSocket *socket)
{
    // The counter display is the context: the connection ends with it, and
    // the count it shows outlives this object.
    QLCDNumber *counter = m_w.sendCounter;
    std::shared_ptr<SentCount> sent = m_sent;
    QObject::connect(socket, &QIODevice::bytesWritten, counter, [counter, sent](qint64 bytes) {
        if (bytes <= 0)
            return;
        sent->total += bytes;
        showCount(counter, sent->total);
    });
}

bool NetTerminal::queueSend(QAbstractSocket *socket, const QByteArray &bytes)
{
    const qint64 waiting = socket->bytesToWrite();
    if (waiting > 0 && waiting + bytes.size() > kMaxUnsentBytes)
        return false;
    return socket->write(bytes) == bytes.size();
}

void NetTerminal::peerNotReading(const QString &who)
{
    const QString text =
        tr("%1 is not reading; nothing more is sent until it has taken what is already waiting").arg(who);
    if (m_w.statusBar->currentMessage() != text)
        status(text);
}

NetTerminal::Press NetTerminal::sendPressed(QTimer *timer, int interval, const QString &idleText)
{
    // Keep-send runs exactly while its timer does (the button then says
    // "Pause").
    if (timer->isActive()) {
        timer->stop();
        m_w.sendButton->setText(idleText);
        m_w.sendButton->setIcon(QIcon(QStringLiteral(":/images/send.png")));
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

void NetTerminal::setSendEnabled(bool on)
{
    m_w.interval->setEnabled(false);
    m_w.sendButton->setEnabled(on);
    m_w.sendBox->setEnabled(on);
}

void NetTerminal::hexSwitchChanged()
{
    m_w.hexView->setVisible(m_w.hexSwitch->isChecked());
    if (m_w.timeSwitch->isChecked()) {
        m_w.hexView->moveCursor(QTextCursor::End);
        m_w.textView->moveCursor(QTextCursor::End);
    }
}

void NetTerminal::keepSendChanged()
{
    if (m_w.keepSend->isChecked()) {
        m_w.interval->setEnabled(true);
        status(tr("Enable Keep sending"));
    } else {
        m_w.interval->setEnabled(false);
        status(tr("Disable Keep sending"));
    }
}

void NetTerminal::clearReceive()
{
    m_display->clear();
    status(tr("Receive has been cleared"));
}

void NetTerminal::clearCounters()
{
    m_display->flush();
    m_sent->total = 0;
    if (m_w.sendCounter->intValue() != 0 || m_w.recvCounter->intValue() != 0) {
        m_w.sendCounter->display(0);
        m_w.recvCounter->display(0);
    }
    status(tr("Counter has been cleared"));
}

void NetTerminal::clearSendBox()
{
    m_w.sendBox->clear();
    status(tr("Send has been cleared"));
}

void NetTerminal::importFile()
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
    while (!file.atEnd())
        cursor.insertText(QString::fromUtf8(file.readLine()));
    status(tr("Success for read the data in the file"));
}

void NetTerminal::exportFile()
{
    m_display->flush();
    if (m_w.textView->toPlainText().isEmpty()) {
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
    const QByteArray bytes = m_w.textView->toPlainText().toUtf8();
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
