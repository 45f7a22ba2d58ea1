#include "XTypeFrames.h"

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

// Index of the first "F", and whether the digits so far are a frame or can
// no longer become one.
enum class Shape { Growing, Frame, Dead };

Shape shapeOf(const QString &hex)
{
    const qsizetype f = hex.indexOf(u'F');
    if (f < 0)
        return hex.size() > XTypeAccumulator::kMaxDigits ? Shape::Dead : Shape::Growing;
    const qsizetype after = hex.size() - f - 1;
    if (after < 2)
        return Shape::Growing;
    if (after == 2 && hex.size() > 6)
        return Shape::Frame;
    return Shape::Dead;
}

} // namespace

XTypeAccumulator::Step XTypeAccumulator::feed(QByteArrayView bytes, qint64 atMsecs)
{
    Step step;
    if (atMsecs >= 0) {
        if (m_lastAt >= 0 && atMsecs - m_lastAt > m_gapMsecs)
            m_hex.clear();
        m_lastAt = atMsecs;
    }
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        m_hex += QChar(digits[b >> 4]);
        m_hex += QChar(digits[b & 0x0F]);
        step.log << u"累加："_s + m_hex;
        for (;;) {
            const Shape shape = shapeOf(m_hex);
            if (shape == Shape::Frame) {
                step.log << u"处理："_s + m_hex;
                QString number = m_hex.mid(2, m_hex.indexOf(u'F') - 2);
                m_hex.clear();
                number.remove(u' ');
                if (!number.isEmpty())
                    step.numbers << number;
                break;
            }
            if (shape == Shape::Growing)
                break;
            m_hex.remove(0, 2);
        }
    }
    return step;
}

} // namespace lanfan
