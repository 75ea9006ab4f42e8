// XmlAttributes: the attribute map of one element, a hash table whose layout fixes the written order.
#pragma once

#include "gui/xml/xml_value.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tokarium {

class XmlAttributes {
public:
    struct Entry {
        std::string name;
        std::int32_t hash = 0;
        XmlValue value;
    };

    XmlAttributes();

    // Hash of a name: sampled bytes from the end, h = h * 33 + signed byte, wrapping at 32 bits.
    static std::int32_t hashName(std::string_view name);

    // Adds an entry without looking for an existing one of the same name (callers set each name once).
    void set(std::string_view name, XmlValue value);
    // Exact, case-sensitive lookup; null when missing.
    const XmlValue* find(std::string_view name) const;

    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    std::size_t bucketCount() const { return m_buckets.size(); }
    void clear();

    // Visits the entries in iteration order: bucket 0 to the last, each bucket in stored order.
    void forEach(const std::function<void(const Entry&)>& visit) const;

private:
    void insert(Entry entry);
    void grow();

    std::vector<std::vector<Entry>> m_buckets;
    std::size_t m_count = 0;
};

} // namespace tokarium
