#pragma once
// The MQTT page's message log: one line per received message, "Time:" and
// the time in red, "Topic:" and the topic in blue, "receive:" and the
// payload in green. Topic and payload are inserted as text, never read as
// markup. Lines reach the view in coalesced batches, long runs are cut into
// display lines (RxFormat::cutLongRuns) and the view keeps a block cap, so a
// burst of messages never stalls the window and memory stays bounded.

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTextCharFormat>
#include <QTime>
#include <QTimer>

#include <array>
#include <deque>

#include "rxformat.h"

class QTextEdit;

class MqttLogView : public QObject
{
    Q_OBJECT

public:
    struct Options {
        int maxBlocks = 10000;
        int maxLineChars = RxFormat::kMaxLineChars;
        int coalesceMs = 25;
        // Display lines and characters laid out in one update at most
        // (about 10 ms of work).
        int maxLinesPerWrite = 256;
        qsizetype maxCharsPerWrite = 32 * 1024;
        // Payload bytes decoded and cut in one turn at most (about 10 ms of
        // work); a larger message is prepared over several turns, and the
        // messages after it wait for it.
        qsizetype prepareBytesPerTurn = 1024 * 1024;
    };

    // The view is made read-only and its undo history switched off.
    MqttLogView(QTextEdit *view, const Options &options, QObject *parent = nullptr);

    // Queues the line of one message received at `time`; it is shown at the
    // next update (under a flood, in the next few).
    void append(const QTime &time, const QString &topic, const QByteArray &payload);
    // Writes everything queued now.
    void flush();
    // Empties the view and the queue.
    void clear();
    // Messages not yet (wholly) in the view, prepared or not.
    int pendingLines() const { return int(m_pending.size() + m_preparing.size()); }

    // Received text as the log shows it: every line end (CR LF, CR, the
    // paragraph separator) becomes one line feed, and the two characters a
    // text document reads as frame marks become U+FFFD.
    static QString displayText(QString text);

private:
    enum Piece { TimeLabel, TimeText, TopicLabel, TopicText, PayloadLabel, PayloadText, PieceCount };
    struct Line {
        std::array<QString, PieceCount> pieces; // already cut into display lines
        qint64 blocks = 1;                      // 1 + the line feeds inside
        // How much of it the view has: its block begun, whole pieces, and
        // characters of the next piece.
        bool started = false;
        int piece = 0;
        qsizetype offset = 0;
    };
    // A message whose payload is decoded and cut slice by slice.
    struct Preparing {
        Line line;       // the pieces before the payload, cut
        int column = 0;  // display column where the next text starts
        QByteArray payload;
        qsizetype offset = 0;
        RxFormat::Utf8StreamDecoder decoder;
        bool heldCarriageReturn = false; // a CR that may be half of CR LF
        QString text;    // the payload as shown so far (its newest lines)
        qint64 lineFeeds = 0;
    };
    void write();
    void dropOldest();
    // Decodes and cuts up to `budget` payload bytes (all when negative);
    // true when messages are still being prepared.
    bool prepare(qsizetype budget);
    void prepareStep();
    void addPrepared(Line line);

    std::deque<Preparing> m_preparing;
    QTimer m_prepareTimer;

    QPointer<QTextEdit> m_view;
    Options m_options;
    std::deque<Line> m_pending;
    qint64 m_pendingBlocks = 0;
    bool m_replaceAll = false; // the queue alone fills the cap
    QTimer m_flushTimer;
    std::array<QTextCharFormat, PieceCount> m_formats;
};
