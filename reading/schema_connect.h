// The connection step of a schema: connect (or attach to the login schema's
// connection), remember the identity and read the schema.
#pragma once

#include <string>

#include "platform/database.h"

namespace tabulorix {

class MGSchema;
class MGSchemaMng;

// Source kinds of Connect.
inline constexpr int kSourceDatabase = 0;  // connect and read the dictionary
inline constexpr int kSourceDesign = 1;    // nothing is connected or read (design files)

// Connects the schema and, for the database source, reads it.
// - No existing connection: the schema opens and owns its own (the login
//   user's schema); otherwise it uses the existing one (a referenced owner,
//   read with the ALL_ statements).
// - Failures close the status dialog and show the error's own text (for an
//   unrecognised failure "Unknown Database error", and the schema forgets
//   its connection); a failed statement has shown its text already and stops
//   the read. The result is false; what was read so far stays in the schema.
bool Connect(MGSchema& schema, MGSchemaMng* manager, int sourceKind, const std::string& user,
             const std::string& password, const std::string& server, const std::string& extra,
             tabulorix::DatabaseConnection* existing);

}  // namespace tabulorix
