// Named constants of the XML library and the .pn document files.
#pragma once

#include <cstddef>

namespace tokarium::xml {

// The reader takes its input through a buffer of this size.
inline constexpr std::size_t kReaderBufferSize = 1024;

// The largest single-precision float, used elsewhere as "no value"; a real built from it has no value.
inline constexpr double kNoValueReal = 3.402823466e38;

// Initial bucket count of an attribute map, the buckets added when it grows, and the load that makes it grow.
inline constexpr std::size_t kAttributeBuckets = 8;
inline constexpr std::size_t kAttributeBucketGrowth = 8;
inline constexpr std::size_t kAttributeEntriesPerBucket = 4;

// The declaration every written file starts with, and the line end of every written line.
inline constexpr const char* kDeclaration = "<?xml version=\"1.0\"?>";
inline constexpr const char* kLineEnd = "\r\n";

// Version written into the root element of every document.
inline constexpr const char* kDocumentVersion = "1.0.0.0";

} // namespace tokarium::xml
