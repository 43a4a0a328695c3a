#pragma once
// One AT command exchange at a time with the modem, and the router of the
// port's input. The page feeds every chunk the port delivers into feed():
// while an exchange runs it is kept for the exchange, otherwise it goes
// straight to the forward handler (the unsolicited-result reader, or the
// link reader while a data link is up). What an exchange read but does not
// consume is forwarded when it ends.
//
// The port and the wait between reads are replaceable, so the engine runs
// against any QIODevice and with any clock.

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
        KeepReading, // the awaited reply is there; read on until the count is used up
    };
    enum class Outcome { Matched, Error, TimedOut, PortClosed, Aborted, Busy };

    struct Request {
        QByteArray command; // written as it stands (the caller adds CR LF)
        // Reads: count + 1, each followed by a wait of stepMs while nothing
        // awaited came. A negative count reads until the test says Done.
        int count = 0;
        int stepMs = 0;
        // Tests the text read so far (all reads together, capped). No test:
        // nothing is awaited.
        std::function<Verdict(const QByteArray &reply)> test;
        // A final error result ("ERROR", "+CME ERROR", "+CMS ERROR") ends
        // the exchange with Outcome::Error.
        bool errorEnds = true;
        // Line prefixes that belong to this command's answer and are not
        // forwarded (its echo and final results never are).
        QList<QByteArray> ownPrefixes;
        // Every line up to the final result (or a line starting with one of
        // endPrefixes) belongs to the command.
        bool ownsUntilFinal = false;
        QList<QByteArray> endPrefixes;
    };

    struct Result {
        Outcome outcome = Outcome::TimedOut;
        bool matched = false;  // the test said Done or KeepReading
        QByteArray reply;      // everything read
        QByteArray errorLine;  // the final error result, if any
        int reads = 0;
    };

    using Wait = std::function<void(int ms)>;
    using Forward = std::function<void(const QByteArray &data)>;

    explicit GsmExchange(QObject *parent = nullptr);

    void setPort(QIODevice *port) { m_port = port; }
    QIODevice *port() const { return m_port; }
    bool portOpen() const { return m_port && m_port->isOpen(); }
    // The wait between reads; the default keeps events running meanwhile.
    void setWait(Wait wait) { m_wait = std::move(wait); }
    void setForward(Forward forward) { m_forward = std::move(forward); }

    bool busy() const { return m_busy; }
    // Runs one exchange. Returns Outcome::Busy without writing while one
    // runs, Outcome::PortClosed without writing when the port is not open.
    Result run(const Request &request);
    // Writes more bytes to the port during an exchange (redial).
    bool write(const QByteArray &bytes);
    // Ends the running exchange at its next check (window closing).
    void abort();

public slots:
    // Input from the port.
    void feed(const QByteArray &data);

private:
    QPointer<QIODevice> m_port;
    Wait m_wait;
    Forward m_forward;
    QByteArray m_pending;
    bool m_busy = false;
    bool m_abort = false;
};
