// Section kinds: which rows a table or view box contributes to a design-file
// section or a CSV list (the argument of WriteBoxRows).
#pragma once

#include <cstdint>

namespace tabulorix {

namespace section_kinds {
inline constexpr std::uint32_t kPrimaryKeys = 0x0001;
inline constexpr std::uint32_t kUniqueKeys = 0x0002;
inline constexpr std::uint32_t kConditions = 0x0004;
inline constexpr std::uint32_t kForeignKeys = 0x0008;
inline constexpr std::uint32_t kViewSources = 0x0010;
inline constexpr std::uint32_t kColumns = 0x0020;
inline constexpr std::uint32_t kVerbPhrase = 0x0040;
inline constexpr std::uint32_t kIndexes = 0x0080;
inline constexpr std::uint32_t kPrivileges = 0x0200;
inline constexpr std::uint32_t kPhysicalNames = 0x4000;
inline constexpr std::uint32_t kLogicalNames = 0x8000;
inline constexpr std::uint32_t kNoReferencedNames = 0x100000;
inline constexpr std::uint32_t kKeyColumn = 0x800000;
}  // namespace section_kinds

}  // namespace tabulorix
