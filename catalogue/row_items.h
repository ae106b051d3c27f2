// Positions of the items in the rows of each kind of row table, named once.
// A query row as the dictionary reader reads it (or a design file's section
// row) starts with the table's name; the detail rows a box keeps are those
// rows without it, so the same item sits one position lower there.
#pragma once

namespace tabulorix {

// Column query rows (tables and views alike).
namespace column_query {
inline constexpr int kColumnNameL = 2;
inline constexpr int kColumnNameP = 3;
inline constexpr int kDataType = 4;
inline constexpr int kDataLengthBytes = 5;  // DATA_LENGTH
inline constexpr int kDataPrecision = 6;    // DATA_PRECISION, also aliased DataLength
inline constexpr int kDataScale = 7;
inline constexpr int kNullable = 8;
inline constexpr int kDataDefault = 9;
inline constexpr int kComments = 10;
}  // namespace column_query

// Condition query rows: TableNameP, CDName, CDStatus, ColumnNameP, Condition.
namespace condition_query {
inline constexpr int kColumnNameP = 3;
}  // namespace condition_query

// A box's column rows.
namespace column_row {
inline constexpr int kColumnNameL = 0;
inline constexpr int kColumnNameP = 1;
inline constexpr int kDataType = 2;  // the first of the five values DataType .. Comments
inline constexpr int kDataLength = 3;
inline constexpr int kNullable = 4;
inline constexpr int kDataDefault = 5;
inline constexpr int kComments = 6;
}  // namespace column_row

// A box's primary-key, unique, foreign-key, index and condition rows.
namespace key_row {
inline constexpr int kKeyName = 0;
}  // namespace key_row

// A box's foreign-key rows: FKName, VerbPhrase, ReferenceOwner,
// ReferenceName, DeleteRule, FKStatus.
namespace foreign_key_row {
inline constexpr int kFkName = 0;
inline constexpr int kReferenceOwner = 2;
inline constexpr int kReferenceName = 3;
inline constexpr int kDeleteRule = 4;
inline constexpr int kStatus = 5;
}  // namespace foreign_key_row

// A box's index rows: IndexName, Uniqueness.
namespace index_row {
inline constexpr int kUniqueness = 1;
}  // namespace index_row

// A box's condition rows: CDName, CDStatus, ColumnNameP, Condition.
namespace condition_row {
inline constexpr int kColumnNameP = 2;
inline constexpr int kCondition = 3;
}  // namespace condition_row

// Privilege rows: TableNameP, Grantee, Grantor, Privilege.
namespace privilege_row {
inline constexpr int kGrantee = 1;
inline constexpr int kPrivilege = 3;
}  // namespace privilege_row

}  // namespace tabulorix
