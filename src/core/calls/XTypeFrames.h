#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace lanfan {

// The X-type caller-ID box sends a call as one frame: a leading byte, the
// number as packed decimal digits (two per byte, high digit first) ending
// with a filler nibble F in the low half of its byte, and one final byte:
//
//     01 55 51 23 4F 00   →   "015551234F00"   →   5551234
//
// The accumulator keeps the received bytes as upper-case hexadecimal pairs
// and takes a frame when it is longer than six digits and exactly two digits
// follow its first "F".
//
// It never blocks on noise: once the first "F" is followed by more than two
// digits (or the accumulation is too short to be a frame when two follow),
// no later byte can make a frame of it, so the oldest bytes are dropped until
// the rest can still become one. A pause between bytes longer than the gap
// starts a new frame as well (the box sends a frame in one burst), and the
// accumulation is bounded.
class XTypeAccumulator {
public:
    struct Step {
        QStringList log;      // "累加：…" per byte, "处理：…" per frame
        QStringList numbers;  // numbers of the frames completed by this input
    };

    static constexpr qint64 kDefaultGapMsecs = 500;
    static constexpr int kMaxDigits = 64;

    explicit XTypeAccumulator(qint64 gapMsecs = kDefaultGapMsecs) : m_gapMsecs(gapMsecs) {}

    // `atMsecs` is a monotonic time stamp of the input (milliseconds); a
    // negative value means "no timing known" and never starts a new frame.
    Step feed(QByteArrayView bytes, qint64 atMsecs = -1);

    const QString &accumulator() const { return m_hex; }
    void clear() { m_hex.clear(); }

private:
    QString m_hex;
    qint64 m_gapMsecs;
    qint64 m_lastAt = -1;
};

} // namespace lanfan
