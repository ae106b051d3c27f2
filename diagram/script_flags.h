// The script flags: which DDL statements the generator writes and in which
// form. The SQL output dialog, the reverse-engineering run and the
// design-file loader hand them to GenerateScript.
#pragma once

#include <cstdint>

namespace tabulorix {

namespace script_flags {
inline constexpr std::uint32_t kPrimaryKeys = 0x0001;
inline constexpr std::uint32_t kUniqueKeys = 0x0002;
inline constexpr std::uint32_t kConditions = 0x0004;
inline constexpr std::uint32_t kForeignKeys = 0x0008;
inline constexpr std::uint32_t kViews = 0x0010;
inline constexpr std::uint32_t kTables = 0x0020;
inline constexpr std::uint32_t kIndexes = 0x0080;
inline constexpr std::uint32_t kComments = 0x0100;
inline constexpr std::uint32_t kPrivileges = 0x0200;
inline constexpr std::uint32_t kSeparateConstraints = 0x0400;
inline constexpr std::uint32_t kInlineConstraints = 0x0800;
inline constexpr std::uint32_t kOwnerPrefix = 0x1000;
inline constexpr std::uint32_t kBoxByBox = 0x2000;
inline constexpr std::uint32_t kTablesEnabled = 0x10000;
inline constexpr std::uint32_t kViewsEnabled = 0x20000;
inline constexpr std::uint32_t kHeaders = 0x40000;
inline constexpr std::uint32_t kCreation = 0x200000;
inline constexpr std::uint32_t kRemovalOrder = 0x400000;

// The statement kinds a pass selects; the bits from 0x400 upwards are the
// form and travel with every pass.
inline constexpr std::uint32_t kStatementKinds = 0x3FF;
inline constexpr std::uint32_t kKeyKinds = kPrimaryKeys | kUniqueKeys | kConditions | kForeignKeys;

// What every table and view box gets as its own SQL source text after
// reading and after loading: creation, inline constraints, every kind,
// tables and views, box by box, no headers, no owner prefix.
inline constexpr std::uint32_t kBoxSource = 0x232BBF;
}  // namespace script_flags

}  // namespace tabulorix
