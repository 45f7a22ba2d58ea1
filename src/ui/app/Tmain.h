#pragma once

#include <QHash>
#include <QMainWindow>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace lanfan {

class AppContext;
class Skin;
struct Operator;

// The main window. Its menus and toolbar carry every entry of the program
// (MainEntries): an entry whose window is not there yet stays in place,
// disabled, with a status tip that says so. Making it available is one line:
//
//     main.enableEntry(u"客户管理"_s, [&] { showCustomerList(...); });
//
// which connects the menu item, its toolbar button and any pop-up item of
// the entry, and enables them as far as the operator's rights allow.
class Tmain : public QMainWindow {
    Q_OBJECT
public:
    Tmain(AppContext &context, Skin &skin, QWidget *parent = nullptr);
    ~Tmain() override;

    // The status tip of an entry that cannot be used yet.
    static QString notAvailableText();

    // Connects the entry's actions to `open` (replacing an earlier command)
    // and enables them as far as the rights allow.
    void enableEntry(const QString &key, std::function<void()> open);
    bool isEntryAvailable(const QString &key) const;
    // Adds an action (a pop-up item of the board, say) to an entry: it runs
    // the entry's command and follows its enabled state.
    void addEntryAction(const QString &key, QAction *action);
    QList<QAction *> entryActions(const QString &key) const;
    QAction *menuAction(const QString &key) const;
    QAction *toolbarAction(const QString &key) const;
    QMenu *topMenu(const QString &title) const;
    QToolBar *mainToolBar() const { return m_toolBar; }
    // The order board fills the middle of the window.
    void setBoard(QWidget *board);
    QWidget *board() const { return m_board; }

    // Enables and disables the governed entries from the operator's rights;
    // called at login and again when the rights change.
    void applyRights(const Operator &op);
    // "操作员：" and the name in the first panel of the status bar.
    void showOperator(const QString &name);
    // Applies the loaded settings: titles, captions, the help menu, the
    // dispatch, dine-in and retail buttons, the skin button.
    void applySettings();

    // Work that must be done when the program ends (closing device ports,
    // saving a run log); runs after the close question was confirmed.
    void addShutdownStep(std::function<void()> step);
    // Work done once, when the window is first shown (the board's first
    // query, starting the caller-ID device), in the order added.
    void addShowStep(std::function<void()> step);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    struct Entry {
        QAction *menu = nullptr;
        QAction *toolbar = nullptr;
        QList<QAction *> actions;
        std::function<void()> open;
        bool allowed = true;
    };
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void attach(const QString &key, QAction *action);
    void refresh(Entry &entry);
    void run(const QString &key);
    void toggleSkin();
    void showAbout();

    AppContext &m_context;
    Skin &m_skin;
    QHash<QString, Entry> m_entries;
    QHash<QString, QMenu *> m_menus;
    QToolBar *m_toolBar = nullptr;
    QAction *m_skinButton = nullptr;
    QLabel *m_operatorPanel = nullptr;
    QWidget *m_board = nullptr;
    QList<std::function<void()>> m_shutdown;
    QList<std::function<void()>> m_showSteps;
    bool m_shown = false;
};

} // namespace lanfan
