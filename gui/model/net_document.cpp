// Documents: their sheets, unique names and ids, new documents and nets, the PNs Manager's effect.
#include "gui/model/net_document.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

#include "gui/model/number_text.h"

namespace tokarium {

namespace {

constexpr std::uint32_t kIdMask = 0x7FFFFFFF;

// Position of the first "n°" of the name, ignoring case, or npos.
std::size_t findNumberMark(const std::string& name) {
    for (std::size_t i = 0; i + 1 < name.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(name[i])) == kSheetNumberMark[0] && name[i + 1] == kSheetNumberMark[1])
            return i;
    return std::string::npos;
}

} // namespace

NetDocument::NetDocument() : m_random(std::random_device{}()) {}

NetSheet& NetDocument::addSheet(std::unique_ptr<NetSheet> sheet) {
    m_sheets.push_back(std::move(sheet));
    return *m_sheets.back();
}

std::vector<NetSheet*> NetDocument::sheetsInMenu() const {
    std::vector<NetSheet*> listed;
    for (std::size_t i = 0; i < m_sheets.size() && i < kMaxSheetMenuItems; ++i)
        listed.push_back(m_sheets[i].get());
    return listed;
}

NetSheet* NetDocument::findSheetById(std::int32_t id) const {
    for (const auto& sheet : m_sheets)
        if (sheet->id() == id)
            return sheet.get();
    return nullptr;
}

NetSheet* NetDocument::findSheetByName(std::string_view name) const {
    for (const auto& sheet : m_sheets)
        if (sheet->name() == name)
            return sheet.get();
    return nullptr;
}

void NetDocument::assignUniqueName(NetSheet& sheet, std::string_view wanted) {
    std::string name(trimBlanks(wanted));
    if (name.empty()) {
        const bool inDocument =
            std::any_of(m_sheets.begin(), m_sheets.end(), [&](const auto& s) { return s.get() == &sheet; });
        const std::size_t count = m_sheets.size() + (inDocument ? 0 : 1);
        name = std::string(kSheetNamePrefix) + " " + std::string(kSheetNumberMark) + formatInteger(static_cast<std::int64_t>(count));
    }
    sheet.setName({});
    while (findSheetByName(name)) {
        std::int32_t number = 0;
        const std::size_t mark = findNumberMark(name);
        if (mark != std::string::npos) {
            number = integerOrZero(std::string_view(name).substr(mark + kSheetNumberMark.size()));
            name.erase(mark == 0 ? 0 : mark - 1);
        }
        name += " " + std::string(kSheetNumberMark) + formatInteger(std::int64_t(number) + 1);
    }
    sheet.setName(std::move(name));
}

void NetDocument::assignUniqueId(NetSheet& sheet) {
    for (;;) {
        const auto id = static_cast<std::int32_t>(m_random() & kIdMask);
        if (id == 0)
            continue;
        const NetSheet* holder = findSheetById(id);
        if (holder && holder != &sheet)
            continue;
        sheet.setId(id);
        return;
    }
}

void NetDocument::newDocument() {
    m_sheets.clear();
    m_path.clear();
    NetSheet& sheet = addSheet(std::make_unique<NetSheet>());
    assignUniqueName(sheet, {});
    assignUniqueId(sheet);
    m_modified = false;
}

NetSheet& NetDocument::newSheet() {
    NetSheet& sheet = addSheet(std::make_unique<NetSheet>());
    assignUniqueName(sheet, {});
    assignUniqueId(sheet);
    resetAllAndMarkModified();
    return sheet;
}

bool NetDocument::applySheetList(const std::vector<SheetListEntry>& entries,
                                 const std::function<void(NetSheet&)>& beforeRemove) {
    if (entries.empty())
        return false;
    std::unordered_set<const NetSheet*> kept;
    auto owned = [&](const NetSheet* sheet) {
        return std::any_of(m_sheets.begin(), m_sheets.end(), [&](const auto& s) { return s.get() == sheet; });
    };
    for (const SheetListEntry& entry : entries)
        if (!owned(entry.sheet) || !kept.insert(entry.sheet).second)
            return false;
    for (const auto& sheet : m_sheets)
        if (!kept.count(sheet.get()) && beforeRemove)
            beforeRemove(*sheet);
    std::vector<std::unique_ptr<NetSheet>> reordered;
    for (const SheetListEntry& entry : entries) {
        auto it = std::find_if(m_sheets.begin(), m_sheets.end(), [&](const auto& s) { return s.get() == entry.sheet; });
        reordered.push_back(std::move(*it));
    }
    m_sheets = std::move(reordered);
    for (const SheetListEntry& entry : entries)
        assignUniqueName(*entry.sheet, entry.name);
    resetAllAndMarkModified();
    return true;
}

std::string NetDocument::title() const {
    if (m_path.empty())
        return std::string(kUntitledTitle);
    const std::size_t slash = m_path.find_last_of("/\\");
    return slash == std::string::npos ? m_path : m_path.substr(slash + 1);
}

void NetDocument::resetAllAndMarkModified() {
    for (const auto& sheet : m_sheets) {
        sheet->resetSimulation();
        // The states recorded for going back belong to the net as it was.
        sheet->simulationRun().recorded.clear();
        sheet->simulationRun().shownState = 0;
    }
    m_modified = true;
}

SheetListEditor::SheetListEditor(const NetDocument& document, const NetSheet* activeSheet) {
    for (const auto& sheet : document.sheets()) {
        if (sheet.get() == activeSheet)
            m_selection = static_cast<int>(m_entries.size());
        m_entries.push_back({sheet.get(), sheet->name()});
    }
    if (m_selection < 0 && !m_entries.empty())
        m_selection = 0;
}

void SheetListEditor::select(int position) {
    m_selection = position >= 0 && position < static_cast<int>(m_entries.size()) ? position : -1;
}

std::string SheetListEditor::selectedName() const {
    return m_selection >= 0 ? m_entries[static_cast<std::size_t>(m_selection)].name : std::string();
}

void SheetListEditor::rename(std::string_view text) {
    if (m_selection >= 0 && !text.empty())
        m_entries[static_cast<std::size_t>(m_selection)].name = std::string(text);
}

void SheetListEditor::deleteSelected() {
    if (!canDelete())
        return;
    m_entries.erase(m_entries.begin() + m_selection);
    m_selection = std::min(m_selection, static_cast<int>(m_entries.size()) - 1);
}

} // namespace tokarium
