#include "Tmain.h"

#include "Skin.h"
#include "Tabout.h"
#include "app/AppContext.h"
#include "app/MainEntries.h"
#include "app/MainOptions.h"
#include "common/Prompter.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <utility>

using namespace Qt::StringLiterals;

namespace lanfan {

Tmain::Tmain(AppContext &context, Skin &skin, QWidget *parent)
    : QMainWindow(parent), m_context(context), m_skin(skin)
{
    setObjectName(u"Tmain"_s);
    resize(1100, 720);
    buildMenus();
    buildToolbar();
    buildStatusBar();
    enableEntry(u"退出"_s, [this] { close(); });
    enableEntry(u"关于"_s, [this] { showAbout(); });
}

Tmain::~Tmain() = default;

QString Tmain::notAvailableText()
{
    return u"此功能尚未开放"_s;
}

void Tmain::buildMenus()
{
    for (const MainMenu &m : mainMenus()) {
        QMenu *menu = menuBar()->addMenu(m.title);
        menu->setObjectName(u"menu:"_s + m.title);
        m_menus.insert(m.title, menu);
    }
    for (const MainEntry &e : mainEntries()) {
        Entry &entry = m_entries[e.key];
        if (e.menu.isEmpty())
            continue;
        QMenu *menu = m_menus.value(e.menu);
        if (e.separatorBefore && !menu->isEmpty())
            menu->addSeparator();
        QAction *action = menu->addAction(e.key);
        action->setObjectName(e.key);
        if (!e.shortcut.isEmpty()) {
            action->setShortcut(QKeySequence(e.shortcut));
            addAction(action);
        }
        entry.menu = action;
        attach(e.key, action);
    }
}

void Tmain::buildToolbar()
{
    m_toolBar = addToolBar(u"工具栏"_s);
    m_toolBar->setObjectName(u"mainToolBar"_s);
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const QString &key : mainToolbar()) {
        if (key.isEmpty()) {
            m_toolBar->addSeparator();
            continue;
        }
        if (key == u"退出") {
            // The skin switch sits before the exit button.
            m_skinButton = m_toolBar->addAction(u"取消换肤"_s, this, &Tmain::toggleSkin);
            m_skinButton->setObjectName(u"skinButton"_s);
        }
        const MainEntry *e = findMainEntry(key);
        QAction *action = m_toolBar->addAction(e->toolbar);
        action->setObjectName(u"toolbar:"_s + e->toolbar);
        m_entries[key].toolbar = action;
        attach(key, action);
    }
}

void Tmain::buildStatusBar()
{
    m_operatorPanel = new QLabel(this);
    m_operatorPanel->setObjectName(u"operatorPanel"_s);
    m_operatorPanel->setMinimumWidth(160);
    statusBar()->addWidget(m_operatorPanel);
}

void Tmain::setBoard(QWidget *board)
{
    m_board = board;
    setCentralWidget(board);
}

void Tmain::attach(const QString &key, QAction *action)
{
    Entry &entry = m_entries[key];
    entry.actions << action;
    connect(action, &QAction::triggered, this, [this, key] { run(key); });
    refresh(entry);
}

void Tmain::refresh(Entry &entry)
{
    const bool available = bool(entry.open);
    for (QAction *a : std::as_const(entry.actions)) {
        a->setEnabled(available && entry.allowed);
        a->setStatusTip(available ? QString() : notAvailableText());
        a->setToolTip(available ? a->text() : notAvailableText());
    }
}

void Tmain::run(const QString &key)
{
    const auto it = m_entries.constFind(key);
    if (it != m_entries.cend() && it->open && it->allowed)
        it->open();
}

void Tmain::enableEntry(const QString &key, std::function<void()> open)
{
    Q_ASSERT_X(m_entries.contains(key), "Tmain::enableEntry", qPrintable(key));
    Entry &entry = m_entries[key];
    entry.open = std::move(open);
    refresh(entry);
}

bool Tmain::isEntryAvailable(const QString &key) const
{
    return bool(m_entries.value(key).open);
}

void Tmain::addEntryAction(const QString &key, QAction *action)
{
    Q_ASSERT_X(m_entries.contains(key), "Tmain::addEntryAction", qPrintable(key));
    attach(key, action);
}

QList<QAction *> Tmain::entryActions(const QString &key) const
{
    return m_entries.value(key).actions;
}

QAction *Tmain::menuAction(const QString &key) const
{
    return m_entries.value(key).menu;
}

QAction *Tmain::toolbarAction(const QString &key) const
{
    return m_entries.value(key).toolbar;
}

QMenu *Tmain::topMenu(const QString &title) const
{
    return m_menus.value(title);
}

void Tmain::applyRights(const Operator &op)
{
    for (const MainEntry &e : mainEntries()) {
        Entry &entry = m_entries[e.key];
        entry.allowed = entryAllowed(op, e);
        refresh(entry);
    }
}

void Tmain::showOperator(const QString &name)
{
    m_operatorPanel->setText(u"操作员："_s + name);
}

void Tmain::applySettings()
{
    Settings &settings = m_context.settings();
    const MainWindowOptions o = mainWindowOptions(settings);
    settings.setCurrent(u"程序名称"_s, o.applicationTitle, settings.source(u"程序名称"_s));
    QApplication::setApplicationDisplayName(o.applicationTitle);
    setWindowTitle(o.caption);

    for (const MainMenu &m : mainMenus())
        m_menus.value(m.title)->setTitle(o.english ? m.english : m.title);
    for (const MainEntry &e : mainEntries()) {
        if (QAction *t = m_entries.value(e.key).toolbar)
            t->setText(o.english && !e.toolbarEnglish.isEmpty() ? e.toolbarEnglish : e.toolbar);
    }

    m_menus.value(u"帮助"_s)->menuAction()->setVisible(o.helpMenuVisible);
    menuAction(u"网络视频教程"_s)->setVisible(o.videoTutorialVisible);
    for (const QString &key : {u"单一发货"_s, u"成批发货"_s})
        toolbarAction(key)->setVisible(o.dispatchVisible);
    toolbarAction(u"堂食开单"_s)->setVisible(o.dineInVisible);
    toolbarAction(u"零售开单"_s)->setVisible(o.retailVisible);
    m_skinButton->setText(o.skinOn ? u"取消换肤"_s : u"恢复换肤"_s);
}

void Tmain::toggleSkin()
{
    const bool on = !m_context.settings().is(u"换肤"_s, u"是"_s);
    m_context.settings().write(u"换肤"_s, on ? u"是"_s : u"否"_s);
    m_skin.setActive(on);
    m_skinButton->setText(on ? u"取消换肤"_s : u"恢复换肤"_s);
}

void Tmain::showAbout()
{
    auto *about = new Tabout(m_context, this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
}

void Tmain::addShutdownStep(std::function<void()> step)
{
    m_shutdown << std::move(step);
}

void Tmain::addShowStep(std::function<void()> step)
{
    m_showSteps << std::move(step);
}

void Tmain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // A step may show a message box; the steps still run in their order.
    const auto steps = std::exchange(m_showSteps, {});
    for (const auto &step : steps)
        step();
}

void Tmain::closeEvent(QCloseEvent *event)
{
    // The question is drawn without the skin.
    m_skin.setActive(false);
    if (!m_context.prompter().confirm(u"确实要退出吗？"_s, m_context.programTitle())) {
        m_skin.setActive(m_context.settings().is(u"换肤"_s, u"是"_s));
        event->ignore();
        return;
    }
    for (const auto &step : std::as_const(m_shutdown))
        step();
    event->accept();
}

} // namespace lanfan
