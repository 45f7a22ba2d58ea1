#pragma once

#include <QDateTime>

namespace lanfan {

// Every "now" of the program comes from a clock, so that business dates,
// order numbers and reminders can be tested at any moment of the day.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

// The computer's local time.
class SystemClock final : public Clock {
public:
    QDateTime now() const override;
};

// A clock that stands still until it is set or advanced.
class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime at = QDateTime(QDate(2026, 1, 1), QTime(12, 0))) : m_now(std::move(at)) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &at) { m_now = at; }
    void advanceSecs(qint64 secs) { m_now = m_now.addSecs(secs); }

private:
    QDateTime m_now;
};

} // namespace lanfan
