#pragma once
// One AT command exchange at a time with the modem, and the router of the
// port's input. The page feeds every chunk the port delivers into feed():
// while an exchange runs it is kept for the exchange, otherwise it goes
// straight to the forward handler (the unsolicited-result reader, or the
// link reader while a data link is up). At every read of an exchange the
// lines that are not the command's answer (GsmAnswer) go on to the forward
// handler at once; once the answer is complete, everything after it does.
//
// The port and the wait between reads are replaceable, so the engine runs
// against any QIODevice and with any clock.

#include "gsmanswer.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

class GsmExchange : public QObject
{
    Q_OBJECT

public:
    enum class Verdict {
        Wait,        // nothing awaited yet: read again after the step
        Done,        // the awaited reply is there: the exchange ends
        DoneAtFinal, // the awaited reply is there; the exchange ends with the command's final result
        KeepReading, // the awaited reply is there; read on until the count is used up
    };
    enum class Outcome { Matched, Error, TimedOut, PortClosed, Aborted, Busy };

    struct Request {
        // Written as it stands (the caller adds CR LF). A command line
        // ("AT...") is expected back as the modem's echo.
        QByteArray command;
        // Reads: count + 1, each followed by a wait of stepMs while nothing
        // awaited came. A negative count reads until the test says Done.
        int count = 0;
        int stepMs = 0;
        // How the command's answer looks (its echo is filled in from
        // `command` when left empty).
        GsmAnswer::Shape shape;
        // Tests the answer so far, after each of its lines and after each
        // read. No test: nothing is awaited.
        std::function<Verdict(const GsmAnswer &answer)> test;
        // A final error result ("ERROR", "+CME ERROR", "+CMS ERROR") ends
        // the exchange with Outcome::Error.
        bool errorEnds = true;
    };

    struct Result {
        Outcome outcome = Outcome::TimedOut;
        bool matched = false;  // the test said Done, DoneAtFinal or KeepReading
        QByteArray reply;      // the answer's lines
        QByteArray errorLine;  // the final error result, if any
        int echoes = 0;        // times the modem echoed the command line
        bool prompted = false; // the command's "> " prompt came
        int reads = 0;
    };

    using Wait = std::function<void(int ms)>;
    using Forward = std::function<void(const QByteArray &data)>;

    explicit GsmExchange(QObject *parent = nullptr);

    // A new port (or none) ends whatever ran on the old one.
    void setPort(QIODevice *port);
    QIODevice *port() const { return m_port; }
    bool portOpen() const { return m_port && m_port->isOpen(); }
    // The wait between reads; the default keeps events running meanwhile.
    void setWait(Wait wait) { m_wait = std::move(wait); }
    void setForward(Forward forward) { m_forward = std::move(forward); }
    void forward(const QByteArray &data);

    bool busy() const { return m_busy; }
    // Runs one exchange. Returns Outcome::Busy without writing while one
    // runs, Outcome::PortClosed without writing when the port is not open.
    Result run(const Request &request);
    // Writes more bytes to the port during an exchange (redial).
    bool write(const QByteArray &bytes);
    // Ends the running exchange at its next check; it touches nothing after
    // that (window closing, port closed or replaced).
    void stop();
    // Changes whenever the port changes or stop() is called: work that
    // started under another generation must not go on.
    quint64 generation() const { return m_generation; }

public slots:
    // Input from the port.
    void feed(const QByteArray &data);

private:
    QPointer<QIODevice> m_port;
    Wait m_wait;
    Forward m_forward;
    QByteArray m_pending;
    bool m_busy = false;
    quint64 m_generation = 0;
};
