#pragma once

#include "common/Prompter.h"

#include <QPointer>
#include <QWidget>

namespace lanfan {

// Shows the prompter's messages in real message boxes.
class QtPrompter final : public Prompter {
public:
    explicit QtPrompter(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    void information(const QString &text, const QString &title = {}) override;
    void warning(const QString &text, const QString &title = {}) override;
    void error(const QString &text, const QString &title = {}) override;
    bool confirm(const QString &text, const QString &title = {}) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace lanfan
