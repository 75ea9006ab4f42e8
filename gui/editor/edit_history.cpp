// Undo and redo lists with a depth limit.
#include "gui/editor/edit_history.h"

namespace tokarium {

EditHistory::EditHistory(std::size_t limit) : m_limit(limit) {}

void EditHistory::pushLimited(std::deque<HistoryEntry>& list, HistoryEntry entry) const {
    list.push_front(std::move(entry));
    while (list.size() > m_limit)
        list.pop_back();
}

void EditHistory::record(HistoryEntry entry) {
    pushLimited(m_undo, std::move(entry));
    m_redo.clear();
}

std::optional<HistoryEntry> EditHistory::undo(std::string currentSnapshot) {
    if (m_undo.empty())
        return std::nullopt;
    HistoryEntry entry = std::move(m_undo.front());
    m_undo.pop_front();
    pushLimited(m_redo, {entry.label, std::move(currentSnapshot)});
    return entry;
}

std::optional<HistoryEntry> EditHistory::redo(std::string currentSnapshot) {
    if (m_redo.empty())
        return std::nullopt;
    HistoryEntry entry = std::move(m_redo.front());
    m_redo.pop_front();
    pushLimited(m_undo, {entry.label, std::move(currentSnapshot)});
    return entry;
}

} // namespace tokarium
