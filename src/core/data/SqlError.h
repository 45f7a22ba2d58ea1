#pragma once

#include <QString>

#include <stdexcept>

namespace lanfan {

// A database error. `text()` is the engine's message, shown to the user as it stands.
class SqlError : public std::runtime_error {
public:
    explicit SqlError(const QString &text, const QString &statement = {})
        : std::runtime_error(text.toStdString()), m_text(text), m_statement(statement) {}
    const QString &text() const { return m_text; }
    const QString &statement() const { return m_statement; }

private:
    QString m_text;
    QString m_statement;
};

} // namespace lanfan
