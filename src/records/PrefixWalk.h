#pragma once

#include <QString>

#include <optional>

namespace varn {

// The prefix the register list walks on to when a prefix has no records: 01 … 09,
// 10 … 33, then A … Z. A letter prefix goes on from its first letter ("A1" to "B").
// Nothing after Z, and nothing after a prefix that is neither a letter nor a stroke
// class 01 to 33, so the walk always ends.
std::optional<QString> NextListPrefix(const QString& prefix);

} // namespace varn
