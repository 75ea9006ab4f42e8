// A document: its nets in order, its path, title and modified flag.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "gui/model/net_sheet.h"

namespace tokarium {

// Texts of the model are 8-bit Latin-1, as stored in the files; "n\xB0" is "n°".
constexpr std::string_view kDocumentTypeName = "Tokarium";
constexpr std::string_view kDocumentFilter = "Tokarium Files (*.pn)|*.pn|All Files (*.*)|*.*||";
constexpr std::string_view kDocumentExtension = ".pn";
constexpr std::string_view kUntitledTitle = "New file";
constexpr std::string_view kSheetNamePrefix = "PN";
constexpr std::string_view kSheetNumberMark = "n\xB0";
// The PN menu lists at most this many nets.
constexpr std::size_t kMaxSheetMenuItems = 20;

// One row of the PNs Manager's edited list: a sheet of the document and the name given to it.
struct SheetListEntry {
    NetSheet* sheet = nullptr;
    std::string name;
};

class NetDocument {
public:
    // A document without sheets; newDocument() gives it its first one.
    NetDocument();

    const std::vector<std::unique_ptr<NetSheet>>& sheets() const { return m_sheets; }
    std::size_t sheetCount() const { return m_sheets.size(); }
    NetSheet& sheet(std::size_t position) const { return *m_sheets[position]; }
    // The nets listed at the end of the PN menu: the first kMaxSheetMenuItems in document order.
    std::vector<NetSheet*> sheetsInMenu() const;

    // Appends the sheet as it is (no naming) and returns it.
    NetSheet& addSheet(std::unique_ptr<NetSheet> sheet);
    NetSheet* findSheetById(std::int32_t id) const;
    // Exact, case-sensitive comparison.
    NetSheet* findSheetByName(std::string_view name) const;
    // Trims the wanted name, replaces an empty one by "PN n°" + sheet count, then makes it unique.
    void assignUniqueName(NetSheet& sheet, std::string_view wanted);
    // Draws pseudo-random numbers until one is nonzero and not used by another sheet.
    void assignUniqueId(NetSheet& sheet);
    void setRandomSeed(std::uint32_t seed) { m_random.seed(seed); }

    // File / New: one default sheet "PN n°1", no path, not modified.
    void newDocument();
    // PN / New PN: appends a default sheet with the default name and a unique id, then
    // resetAllAndMarkModified. The GUI opens its window.
    NetSheet& newSheet();
    // PNs Manager OK: sheets missing from the list are removed (beforeRemove is called on each first, so
    // that its window can be closed), the others take the list's order and, in that order, its names
    // through assignUniqueName; then resetAllAndMarkModified. An empty list, or one naming a sheet that
    // is not in the document, changes nothing and gives false: the last sheet is never deleted.
    [[nodiscard]] bool applySheetList(const std::vector<SheetListEntry>& entries,
                                      const std::function<void(NetSheet&)>& beforeRemove = {});
    void removeAllSheets() { m_sheets.clear(); }

    const std::string& path() const { return m_path; }
    void setPath(std::string path) { m_path = std::move(path); }
    // The file name of the path, or "New file" without a path.
    std::string title() const;
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    // resetSimulation on every sheet and forgets their recorded states, then the modified flag.
    void resetAllAndMarkModified();

private:
    std::vector<std::unique_ptr<NetSheet>> m_sheets;
    std::string m_path;
    bool m_modified = false;
    std::mt19937 m_random;
};

// Working list of the PNs Manager dialog: renaming (an empty text keeps the name), deleting (never the
// last entry) and the selection; its entries are given to NetDocument::applySheetList on OK.
class SheetListEditor {
public:
    // Entries in document order; the active sheet is selected (the first one when it is none).
    SheetListEditor(const NetDocument& document, const NetSheet* activeSheet);

    const std::vector<SheetListEntry>& entries() const { return m_entries; }
    // Position of the selected entry, or -1.
    int selection() const { return m_selection; }
    void select(int position);
    // The name shown in the edit field for the selected entry.
    std::string selectedName() const;
    // The edit field changed: renames the selected entry unless the text is empty.
    void rename(std::string_view text);
    bool canDelete() const { return m_entries.size() >= 2 && m_selection >= 0; }
    // Removes the selected entry; the selection moves to the entry that took its place, or the new last.
    void deleteSelected();

private:
    std::vector<SheetListEntry> m_entries;
    int m_selection = -1;
};

} // namespace tokarium
