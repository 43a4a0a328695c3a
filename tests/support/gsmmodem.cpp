#include "gsmmodem.h"

#include <QTimer>

namespace TestSupport {

namespace {

QByteArray info(const QByteArray &line)
{
    return "\r\n" + line + "\r\n";
}

const QByteArray kOk = "\r\nOK\r\n";
const QByteArray kError = "\r\nERROR\r\n";

} // namespace

GsmModem::GsmModem(ScriptedDevice *device) : m_device(device)
{
    device->setResponder([this](const QByteArray &piece, const QByteArray &) { onBytes(piece); });
}

int GsmModem::count(const QByteArray &prefix) const
{
    int n = 0;
    for (const QByteArray &c : m_commands)
        n += c.startsWith(prefix) ? 1 : 0;
    return n;
}

void GsmModem::send(int delayMs, const QByteArray &bytes)
{
    const auto write = [this, bytes] {
        QByteArray shown = bytes;
        m_talk.append(QStringLiteral("< ") + QString::fromLatin1(shown.replace("\r\n", "|")));
        m_device->write(bytes);
    };
    if (delayMs <= 0)
        write();
    else
        QTimer::singleShot(delayMs, m_device, write);
}

void GsmModem::onBytes(const QByteArray &piece)
{
    for (const char c : piece) {
        if (m_prompt) {
            if (echo && c != '\x1a' && c != '\x1b' && !(c == '\n' && m_body.isEmpty()))
                m_device->write(QByteArray(1, c));
            if (c == '\x1a') {
                m_prompt = false;
                bodies.append(m_body);
                m_talk.append(QStringLiteral("> ") + QString::fromLatin1(m_body) + QStringLiteral("^Z"));
                const QByteArray answer = m_bodyCommand.startsWith("AT+CMGS") ? sentAnswer : sendAnswer;
                if (!answer.isEmpty())
                    send(20, answer);
            } else if (c == '\x1b') {
                m_prompt = false;
                ++cancelled;
                m_talk.append(QStringLiteral("> ") + QString::fromLatin1(m_body) + QStringLiteral("^["));
            } else if (c == '\n' && m_body.isEmpty()) {
                // the end of the command line's CR LF
            } else {
                m_body += c;
            }
            continue;
        }
        // ESC outside text entry cancels nothing; the modem ignores it.
        if (c == '\n' || c == '\x1b')
            continue;
        if (c != '\r') {
            m_line += c;
            continue;
        }
        const QByteArray command = m_line.trimmed();
        m_line.clear();
        if (command.isEmpty())
            continue;
        m_commands.append(command);
        m_talk.append(QStringLiteral("> ") + QString::fromLatin1(command));
        if (echo)
            m_device->write(command + "\r");
        answer(command);
    }
}

void GsmModem::answer(const QByteArray &command)
{
    const auto scripted = m_scripts.constFind(command);
    if (scripted != m_scripts.constEnd()) {
        for (const Piece &p : *scripted)
            send(p.delayMs, p.bytes);
        return;
    }
    const QByteArray upper = command.toUpper();
    auto setting = [&](const QByteArray &name, int *value) {
        if (upper == "AT+" + name + "?") {
            send(0, info("+" + name + ": " + QByteArray::number(*value) + (name == "CLIP" ? ",1" : "")) + kOk);
            return true;
        }
        if (upper.startsWith("AT+" + name + "=")) {
            bool ok = false;
            const int v = upper.mid(name.size() + 4).toInt(&ok);
            if (ok && (v == 0 || v == 1)) {
                *value = v;
                send(0, kOk);
            } else {
                send(0, kError);
            }
            return true;
        }
        return false;
    };
    if (setting("CLIP", &clip) || setting("CALM", &calm) || setting("CMGF", &cmgf))
        return;
    const bool link = upper.startsWith("AT+CGCLASS=") || upper.startsWith("AT+CGDCONT=") || upper == "AT+CGATT=1"
                      || upper.startsWith("AT+CIPCSGP=") || upper.startsWith("AT+CLPORT=");
    if (upper.startsWith("AT+CMGS=") || upper == "AT+CIPSEND") {
        m_prompt = true;
        m_body.clear();
        m_bodyCommand = upper;
        send(promptDelayMs, "\r\n> ");
    } else if (upper.startsWith("AT+CMGR=")) {
        const int index = upper.mid(8).toInt();
        send(0, messages.contains(index) ? messages.value(index) : QByteArray("\r\n+CMS ERROR: 321\r\n"));
    } else if (upper.startsWith("AT+CMGD=")) {
        const int index = upper.mid(8).split(',').value(0).toInt();
        send(0, messages.remove(index) ? kOk : QByteArray("\r\n+CMS ERROR: 321\r\n"));
    } else if (upper == "AT+CMGDA=DEL ALL") {
        if (cmgf == 1)
            messages.clear();
        send(0, cmgf == 1 ? kOk : kError);
    } else if (upper.startsWith("AT+CIPSTART=")) {
        send(0, kOk);
        if (!connectAnswer.isEmpty())
            send(100, connectAnswer);
    } else if (upper == "AT+CIPCLOSE=1") {
        send(0, "\r\nCLOSE OK\r\n");
    } else if (upper == "AT+CIPSHUT") {
        send(0, "\r\nSHUT OK\r\n");
    } else if (link || upper.startsWith("AT+CSMP=") || upper.startsWith("AT+CSCS=")) {
        send(0, kOk);
    } else if (upper == "AT" || upper == "ATA" || upper == "ATH" || upper.startsWith("AT+VTS=")) {
        send(0, kOk);
    } else if (upper == "AT+CSQ") {
        send(0, info("+CSQ: " + QByteArray::number(rssi) + "," + QByteArray::number(ber)) + kOk);
    } else if (upper.startsWith("ATD") && upper.endsWith(";")) {
        send(0, kOk);
        if (!dialResult.isEmpty())
            send(dialResultDelayMs, dialResult);
    } else {
        send(0, kError);
    }
}

} // namespace TestSupport
