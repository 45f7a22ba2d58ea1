#pragma once

#include <QList>
#include <QString>

namespace lanfan {

// Every message box of the program goes through a prompter. The desktop
// program shows real boxes; tests install RecordingPrompter.
class Prompter {
public:
    enum class Kind { Information, Warning, Error, Question };

    virtual ~Prompter() = default;
    virtual void information(const QString &text, const QString &title = {}) = 0;
    virtual void warning(const QString &text, const QString &title = {}) = 0;
    virtual void error(const QString &text, const QString &title = {}) = 0;
    // OK/Cancel question; true for OK.
    virtual bool confirm(const QString &text, const QString &title = {}) = 0;
};

// Records what would have been shown and answers questions from a script.
class RecordingPrompter final : public Prompter {
public:
    struct Entry {
        Kind kind;
        QString text;
        QString title;
    };

    void information(const QString &text, const QString &title = {}) override { record(Kind::Information, text, title); }
    void warning(const QString &text, const QString &title = {}) override { record(Kind::Warning, text, title); }
    void error(const QString &text, const QString &title = {}) override { record(Kind::Error, text, title); }
    bool confirm(const QString &text, const QString &title = {}) override;

    // Answers for the next questions, in order; when the script is used up,
    // questions get `defaultAnswer`.
    void scriptAnswers(const QList<bool> &answers) { m_answers += answers; }
    bool defaultAnswer = true;

    const QList<Entry> &entries() const { return m_entries; }
    QStringList texts() const;
    QString lastText() const { return m_entries.isEmpty() ? QString() : m_entries.last().text; }
    bool contains(const QString &text) const { return texts().contains(text); }
    void clear() { m_entries.clear(); }

private:
    void record(Kind kind, const QString &text, const QString &title) { m_entries.append({kind, text, title}); }
    QList<Entry> m_entries;
    QList<bool> m_answers;
};

} // namespace lanfan
