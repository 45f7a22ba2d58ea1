#pragma once

#include <QString>

namespace lanfan {

// A column title click cycles the sort: none → ascending → descending → none.
enum class SortState { None, Ascending, Descending };

constexpr SortState nextSortState(SortState s)
{
    switch (s) {
    case SortState::None: return SortState::Ascending;
    case SortState::Ascending: return SortState::Descending;
    case SortState::Descending: return SortState::None;
    }
    return SortState::None;
}

// The dataset sort text for a field: "名称", "名称 DESC" or empty.
inline QString sortText(const QString &field, SortState s)
{
    switch (s) {
    case SortState::Ascending: return field;
    case SortState::Descending: return field + QStringLiteral(" DESC");
    case SortState::None: break;
    }
    return {};
}

} // namespace lanfan
