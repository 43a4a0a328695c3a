#pragma once
// Sorts what a modem sends while one command runs into the command's answer
// and everything else. The answer is the command's echo, its information
// lines, a stored message (a header line and the message text after it),
// and its result lines; anything else (unsolicited results such as RING or
// +CMTI, data of a link) belongs to someone else and is passed on as soon
// as its line is complete. Once the answer is complete, every later byte is
// passed on as it stands, so text that follows the result in the same read
// is never lost. No port or widget here: bytes in, verdicts out.

#include "gsmreply.h"

#include <QByteArray>
#include <QList>
#include <functional>

class GsmAnswer
{
public:
    struct Shape {
        // The command line as the modem echoes it (without its line end);
        // empty: the command has no echo line.
        QByteArray echo;
        // Bytes an echoing modem sends back before anything else (the data
        // written after a prompt); matched byte for byte from the start, the
        // first byte that differs ends the echo.
        QByteArray dataEcho;
        // Information lines of the answer (for example "+CSQ:").
        QList<QByteArray> ownPrefixes;
        // Result lines besides OK and the errors ("CONNECT OK", "SEND OK").
        QList<QByteArray> results;
        // A line starting with this opens a stored message: every line after
        // it is message text up to the final result, and its first line is
        // text whatever it reads ("OK", "ERROR").
        QByteArray messageHeader;
        // An unfinished "> " line is the command's prompt.
        bool prompt = false;
        // Which final result codes are the command's: all (OK and the
        // errors), only the errors (a command whose success is "SEND OK":
        // an "OK" line then is someone else's, link data), or none (reading
        // back the echo of data: every line is data).
        enum class Finals { All, ErrorsOnly, None };
        Finals finals = Finals::All;
    };

    using Sink = std::function<void(const QByteArray &bytes)>;
    // Asked after each line of the answer (and after a prompt): true when
    // the answer is complete.
    using EndTest = std::function<bool()>;

    GsmAnswer();
    explicit GsmAnswer(Shape shape);

    // Takes the next bytes from the port. Lines that are not the answer's go
    // to `passOn` (each before the answer's next line is looked at); after
    // the end, every byte goes there as it stands.
    void feed(const QByteArray &bytes, const Sink &passOn, const EndTest &endsHere);
    // Ends the answer where it stands (the command decided so).
    void end() { m_ended = true; }
    // The exchange is over: an unfinished line that is not the command's own
    // (its prompt, its message) is returned for the reader it belongs to.
    QByteArray takeUnfinished();

    bool ended() const { return m_ended; }
    // The answer's lines (echo, information, message, results), trimmed,
    // each followed by CR LF.
    const QByteArray &text() const { return m_text; }
    const QList<QByteArray> &lines() const { return m_lines; }
    // The latest final result of the command (OK or an error) and its line.
    GsmReply::Final final() const { return m_final; }
    const QByteArray &finalLine() const { return m_finalLine; }
    int echoes() const { return m_echoes; }
    bool prompted() const { return m_prompted; }
    bool dataEchoed() const { return !m_shape.dataEcho.isEmpty() && m_echoAt == m_shape.dataEcho.size(); }
    bool hasLineStarting(const QByteArray &prefix) const;

    // A stored message: its header line and its text lines (message text
    // complete once final() is set after it).
    bool hasMessage() const { return !m_header.isEmpty(); }
    bool messageComplete() const { return hasMessage() && !m_inMessage && m_final != GsmReply::Final::None; }
    const QByteArray &messageHeaderLine() const { return m_header; }
    const QList<QByteArray> &messageLines() const { return m_message; }

    bool isResult(const QByteArray &line) const;

private:
    enum class Kind { Ignored, Own, Other };
    Kind takeLine(const QByteArray &line);
    void addOwn(const QByteArray &line);

    Shape m_shape;
    QByteArray m_line;        // the unfinished line
    bool m_afterCr = false;   // the last line ended with CR: a LF now belongs to it
    bool m_lastPassed = false; // that line was passed on (so is its LF)
    bool m_passingLine = false; // the unfinished line is too long to be the answer's: passed on as it comes
    int m_echoAt = 0;
    bool m_echoMatching = false;
    bool m_ended = false;

    QByteArray m_text;
    QList<QByteArray> m_lines;
    int m_linesBytes = 0;
    GsmReply::Final m_final = GsmReply::Final::None;
    QByteArray m_finalLine;
    int m_echoes = 0;
    bool m_prompted = false;

    QByteArray m_header;
    QList<QByteArray> m_message;
    int m_messageLines = 0;
    int m_messageBytes = 0;
    bool m_inMessage = false;
};
