#pragma once

#include "app/AppContext.h"
#include "common/Clock.h"
#include "common/Prompter.h"
#include "data/DataFolder.h"
#include "data/ShopDatabase.h"

#include <QTemporaryDir>

#include <functional>

#include <memory>

namespace lanfan::test {

// A fresh shop in a temporary data folder: a new SQLite database with the
// whole schema, a fixed clock and a recording prompter. Everything is
// removed when the object goes.
class TestShop {
public:
    // `prepare` may write files into the data folder (settings, work mode)
    // before the database is opened.
    explicit TestShop(const std::function<void(const DataFolder &)> &prepare = {});

    AppContext &context() { return *m_context; }
    Db &db() { return m_context->db(); }
    Settings &settings() { return m_context->settings(); }
    FixedClock &clock() { return m_clock; }
    RecordingPrompter &prompter() { return m_prompter; }
    const DataFolder &folder() const { return m_folder; }
    const OpenOutcome &outcome() const { return m_outcome; }
    QString path(const QString &name) const { return m_folder.path(name); }

    // Opens a second connection to the same database (another PC of the shop).
    std::unique_ptr<Db> secondConnection() const;

private:
    QTemporaryDir m_dir;
    DataFolder m_folder;
    FixedClock m_clock;
    RecordingPrompter m_prompter;
    OpenOutcome m_outcome;
    std::unique_ptr<AppContext> m_context;
};

// Writes a text file (UTF-8 unless bytes are given).
void writeFile(const QString &path, const QByteArray &bytes);

} // namespace lanfan::test
