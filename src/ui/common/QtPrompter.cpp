#include "QtPrompter.h"

#include <QApplication>
#include <QMessageBox>

namespace lanfan {

namespace {

QString captionOr(const QString &title)
{
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}

void showBox(QWidget *parent, QMessageBox::Icon icon, const QString &text, const QString &title)
{
    QMessageBox box(icon, captionOr(title), text, QMessageBox::Ok, parent ? parent : QApplication::activeWindow());
    box.exec();
}

} // namespace

void QtPrompter::information(const QString &text, const QString &title)
{
    showBox(m_parent, QMessageBox::Information, text, title);
}

void QtPrompter::warning(const QString &text, const QString &title)
{
    showBox(m_parent, QMessageBox::Warning, text, title);
}

void QtPrompter::error(const QString &text, const QString &title)
{
    showBox(m_parent, QMessageBox::Critical, text, title);
}

bool QtPrompter::confirm(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, captionOr(title), text, QMessageBox::Ok | QMessageBox::Cancel,
                    m_parent ? m_parent.data() : QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

} // namespace lanfan
