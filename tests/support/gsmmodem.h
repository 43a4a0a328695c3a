#pragma once
// A GSM modem played by a scripted device: it answers AT command lines the
// way a real modem does (echo, information lines, OK / ERROR), keeps the
// settings it was given, and lets a test replace the answer to any command
// with timed pieces of its own, or with silence.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QStringList>

#include "scripteddevice.h"

namespace TestSupport {

class GsmModem
{
public:
    struct Piece {
        int delayMs; // after the command line arrived
        QByteArray bytes;
    };

    explicit GsmModem(ScriptedDevice *device);

    // Answers `command` (the line without its CR) with these pieces instead
    // of the modem's own answer; an empty list is silence. The echo is sent
    // first all the same when echo is on.
    void script(const QByteArray &command, const QList<Piece> &pieces) { m_scripts.insert(command, pieces); }
    void silence(const QByteArray &command) { m_scripts.insert(command, {}); }
    void unscript(const QByteArray &command) { m_scripts.remove(command); }

    // Every command line received, in order (without CR LF).
    const QList<QByteArray> &commands() const { return m_commands; }
    int count(const QByteArray &prefix) const;
    void clearCommands() { m_commands.clear(); }

    bool echo = true;
    int rssi = 18;
    int ber = 0;
    int clip = 0;     // +CLIP presentation
    int calm = 0;     // +CALM mode (0 ring, 1 silent)
    int cmgf = 0;     // +CMGF mode
    // Sent this long after each "ATD" was answered, when not empty (for
    // example "\r\nNO CARRIER\r\n").
    QByteArray dialResult;
    int dialResultDelayMs = 200;

    // Stored messages, by index: the whole answer to "AT+CMGR=<index>".
    QHash<int, QByteArray> messages;
    // After "AT+CMGS" and "AT+CIPSEND" the modem prompts "> " and takes
    // text up to 0x1A; each such text lands here (without the 0x1A). With
    // echo on, the text is echoed as it comes, the way a modem does.
    QList<QByteArray> bodies;
    // The "> " prompt comes this late (text entry starts at once).
    int promptDelayMs = 0;
    // Times ESC cancelled a text entry.
    int cancelled = 0;
    // Answer to a message text; empty: none (the network never confirms).
    QByteArray sentAnswer = "\r\n+CMGS: 12\r\n\r\nOK\r\n";
    // Answer to data sent on the link.
    QByteArray sendAnswer = "\r\nSEND OK\r\n";
    // Answer to "AT+CIPSTART" after its OK.
    QByteArray connectAnswer = "\r\nCONNECT OK\r\n";

    // What went back and forth, in order: "> command" for a command line
    // received, "< answer" for each piece sent (CR LF shown as "|").
    const QStringList &talk() const { return m_talk; }

private:
    void onBytes(const QByteArray &piece);
    void answer(const QByteArray &command);
    void send(int delayMs, const QByteArray &bytes);

    ScriptedDevice *m_device;
    QByteArray m_line;
    QStringList m_talk;
    bool m_prompt = false; // taking text up to 0x1A
    QByteArray m_body;
    QByteArray m_bodyCommand;
    QList<QByteArray> m_commands;
    QHash<QByteArray, QList<Piece>> m_scripts;
};

} // namespace TestSupport
