// The dictionary reader: fills one schema from the Oracle data dictionary
// through the schema's connection and builds its table and view boxes with
// their columns, privileges, indexes and constraints.
//
// The login user's schema (it owns its connection) reads the USER_ views; a
// referenced owner read through another schema's connection reads the ALL_
// views with its owner name. Progress goes to the status dialog.
#pragma once

namespace tabulorix {

class MGSchema;

// Privileges header captions that replace the field names after reading.
inline constexpr const char* kPrivilegeCaptions[4] = {"物理表名", "権限受領者", "権限付与者", "権限名"};

// Runs every statement in order and builds the boxes. A statement that
// fails shows its error text and stops the read with ZMGQueryStopped; what
// was read before stays in the schema and the diagram.
void ReadSchemaFromDatabase(MGSchema& schema);

}  // namespace tabulorix
