#pragma once

#include <QList>
#include <QString>

namespace lanfan {

struct Operator;

// A rights position that governs an entry: character `position` (from 1) of
// the string Right<group>. Group 0: the entry is not governed by a right.
struct RightRef {
    int group = 0;
    int position = 0;
    bool governed() const { return group > 0; }
};

// A top-level menu of the main window.
struct MainMenu {
    QString title;    // also its key
    QString english;  // caption with 版本语言 = "英语"
};

// One command of the main window: a menu item, possibly a toolbar button
// and pop-up items that do the same, governed together by one right.
struct MainEntry {
    QString key;          // the menu item's caption; pop-up only entries use their pop-up caption
    QString menu;         // title of its top-level menu; empty: not in the main menu
    QString toolbar;      // caption of its toolbar button; empty: none
    RightRef right;
    QString shortcut;     // key sequence, e.g. "F1"
    bool separatorBefore = false;
    QString toolbarEnglish;  // toolbar caption with 版本语言 = "英语", when it has one
};

const QList<MainMenu> &mainMenus();
// Every entry, in menu order.
const QList<MainEntry> &mainEntries();
// Toolbar buttons in their order, by entry key; an empty key is a separator.
const QStringList &mainToolbar();
const MainEntry *findMainEntry(const QString &key);

// Whether the operator's rights let the entry be used. A rights string
// shorter than the position counts as refused.
bool entryAllowed(const Operator &op, const MainEntry &entry);

} // namespace lanfan
