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
        // (about 15 ms of work).
        int maxLinesPerWrite = 256;
        qsizetype maxCharsPerWrite = 64 * 1024;
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
    int pendingLines() const { return int(m_pending.size()); }

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
    void write();
    void dropOldest();

    QPointer<QTextEdit> m_view;
    Options m_options;
    std::deque<Line> m_pending;
    qint64 m_pendingBlocks = 0;
    bool m_replaceAll = false; // the queue alone fills the cap
    QTimer m_flushTimer;
    std::array<QTextCharFormat, PieceCount> m_formats;
};
