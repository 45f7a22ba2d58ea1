#include "Skin.h"

#include <QApplication>
#include <QFile>

static void initSkinResource()
{
    Q_INIT_RESOURCE(app);
}

namespace lanfan {

namespace {

QString readText(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

} // namespace

Skin::Skin(QString shopSkinFile) : m_shopSkinFile(std::move(shopSkinFile))
{
    initSkinResource();
}

QString Skin::styleSheet() const
{
    const QString own = readText(m_shopSkinFile);
    return own.isEmpty() ? readText(QStringLiteral(":/lanfan/skin.qss")) : own;
}

void Skin::setActive(bool on)
{
    if (on == m_active)
        return;
    m_active = on;
    qApp->setStyleSheet(on ? styleSheet() : QString());
}

} // namespace lanfan
