#include "gsmmodem.h"

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
    if (delayMs <= 0)
        m_device->write(bytes);
    else
        m_device->writeLater(delayMs, bytes);
}

void GsmModem::onBytes(const QByteArray &piece)
{
    for (const char c : piece) {
        if (c == '\n')
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
    if (upper == "AT" || upper == "ATA" || upper == "ATH" || upper.startsWith("AT+VTS=")) {
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
