#include "Prompter.h"

namespace lanfan {

bool RecordingPrompter::confirm(const QString &text, const QString &title)
{
    record(Kind::Question, text, title);
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return defaultAnswer;
}

QStringList RecordingPrompter::texts() const
{
    QStringList out;
    for (const auto &e : m_entries)
        out << e.text;
    return out;
}

} // namespace lanfan
