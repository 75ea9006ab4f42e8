// Undo and redo lists of object snapshots, newest first, each with the name of the edit.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace tokarium {

struct HistoryEntry {
    std::string label;    // the command that made the edit
    std::string snapshot; // the objects before it, as an "objects" XML text
};

class EditHistory {
public:
    explicit EditHistory(std::size_t limit);

    // A new edit: the snapshot goes to the front of the undo list (the oldest beyond the limit is
    // dropped) and the redo list is emptied.
    void record(HistoryEntry entry);
    // Takes the newest undo entry; the current state goes to the front of the redo list under its label.
    std::optional<HistoryEntry> undo(std::string currentSnapshot);
    // Takes the newest redo entry; the current state goes to the front of the undo list.
    std::optional<HistoryEntry> redo(std::string currentSnapshot);

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    std::size_t undoCount() const { return m_undo.size(); }
    std::size_t redoCount() const { return m_redo.size(); }
    // Label of the edit the next undo (redo) reverts (repeats); empty when there is none.
    std::string undoLabel() const { return m_undo.empty() ? std::string() : m_undo.front().label; }
    std::string redoLabel() const { return m_redo.empty() ? std::string() : m_redo.front().label; }

private:
    void pushLimited(std::deque<HistoryEntry>& list, HistoryEntry entry) const;

    std::size_t m_limit;
    std::deque<HistoryEntry> m_undo;
    std::deque<HistoryEntry> m_redo;
};

} // namespace tokarium
