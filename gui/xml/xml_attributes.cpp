// XmlAttributes: hashing, bucket order and growth.
#include "gui/xml/xml_attributes.h"

#include "gui/xml/constants.h"

#include <utility>

namespace tokarium {

namespace {

std::size_t bucketOf(std::int32_t hash, std::size_t bucketCount) {
    std::int64_t magnitude = hash < 0 ? -static_cast<std::int64_t>(hash) : hash;
    return static_cast<std::size_t>(magnitude) % bucketCount;
}

} // namespace

XmlAttributes::XmlAttributes() : m_buckets(xml::kAttributeBuckets) {}

std::int32_t XmlAttributes::hashName(std::string_view name) {
    if (name.empty())
        return 0;
    const auto length = static_cast<std::ptrdiff_t>(name.size());
    const std::ptrdiff_t step = (length - 1) / 8 + 1;
    std::uint32_t h = 0;
    for (std::ptrdiff_t i = length - 1; i >= 0; i -= step)
        h = h * 33u + static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(name[i])));
    return static_cast<std::int32_t>(h);
}

void XmlAttributes::set(std::string_view name, XmlValue value) {
    insert(Entry{std::string(name), hashName(name), std::move(value)});
    if (m_count >= xml::kAttributeEntriesPerBucket * m_buckets.size())
        grow();
}

const XmlValue* XmlAttributes::find(std::string_view name) const {
    const std::int32_t hash = hashName(name);
    for (const Entry& entry : m_buckets[bucketOf(hash, m_buckets.size())])
        if (entry.hash == hash && entry.name == name)
            return &entry.value;
    return nullptr;
}

void XmlAttributes::clear() {
    m_buckets.assign(xml::kAttributeBuckets, {});
    m_count = 0;
}

void XmlAttributes::forEach(const std::function<void(const Entry&)>& visit) const {
    for (const auto& bucket : m_buckets)
        for (const Entry& entry : bucket)
            visit(entry);
}

void XmlAttributes::insert(Entry entry) {
    auto& bucket = m_buckets[bucketOf(entry.hash, m_buckets.size())];
    auto position = bucket.begin();
    while (position != bucket.end() && position->hash < entry.hash)
        ++position;
    bucket.insert(position, std::move(entry));
    ++m_count;
}

void XmlAttributes::grow() {
    std::vector<std::vector<Entry>> old = std::move(m_buckets);
    m_buckets.assign(old.size() + xml::kAttributeBucketGrowth, {});
    m_count = 0;
    for (auto& bucket : old)
        for (Entry& entry : bucket)
            insert(std::move(entry));
}

} // namespace tokarium
