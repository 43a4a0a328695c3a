#pragma once
// The time-of-flight module's frames: one line of comma-separated zone
// distances ended by CR LF, put into display order (row by row) according
// to the sensor model. Needs no widget.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "cappedlinereader.h"

namespace TofFrames {

// Bytes of an unfinished frame kept between chunks at most; past it the
// oldest go. The largest frame (1536 zones) is about 10 KB.
constexpr int kMaxBuffered = int(CappedLineReader::kDefaultCap);
// Entries of the display-order distance table.
constexpr int kZones = 1536;

enum Model { VL53LMZ = 0, TMF8828 = 1, TMF8829 = 2 };

struct Grid {
    int rows;
    int cols;
};

// Resolution modes: 0 4x4, 1 8x8, 2 16x16, 3 32x32, 4 32 rows x 48 columns;
// any other mode 8x8.
Grid gridForMode(int mode);
// The mode of an arrangement text ("4x4", "8x8", "16x16", "32x32",
// "48x32"); any other text, also empty, is 1.
int modeForText(const QString &text);
// The maximum distance of a range text; below 1 (or not a number) 4000.
int maxDistanceForText(const QString &text);
// The arrangement texts a model offers (none for an unknown model).
QStringList arrangementsFor(int model);

// The values of one frame's text (without its CR LF): fields split at ','
// with empty ones dropped; a field that is not a decimal integer reads 0.
// False (and `values` untouched) unless there are 16, 64, 256, 1024 or
// 1536 fields.
bool parseFrame(const QByteArray &text, QList<int> *values);

// Reverses the first `numCols` values of each of the first `numRows` rows
// (rows `numCols` long); rows past the end of `pixels` are left alone.
void mirrorRows(QList<int> &pixels, int numRows, int numCols);
// The TMF8828 8 x 8 rearrangement: 64 values in sensor order to 64 values
// in display order.
void rearrange8828(const int *imageData, int *newImageData);
// The TMF8829 delivery index to display index (even rows are delivered
// before odd rows for 32 and 48 wide frames).
int corrected8829Index(int deliveryIndex, int cols);

// Writes a frame's values into `pixels` (kZones entries, row by row) in the
// model's display order; an unknown model writes nothing.
void arrange(int model, const QList<int> &values, QList<int> &pixels);

// Cuts the stream into CR LF ended frames.
class Cutter
{
public:
    // Appends a chunk and returns every frame text it completed (without
    // CR LF), in order; the unfinished tail waits.
    QList<QByteArray> feed(const QByteArray &chunk) { return m_lines.feed(chunk); }
    void clear() { m_lines.clear(); }
    const QByteArray &buffered() const { return m_lines.buffered(); }

private:
    CappedLineReader m_lines;
};

} // namespace TofFrames
