#include "diagram/shape_table.h"

MGShapeTable::MGShapeTable()
    : indexRows_(std::make_unique<ZMGCellFieldIndex>()),
      primaryKeyRows_(std::make_unique<ZMGCellFieldKey>()),
      uniqueRows_(std::make_unique<ZMGCellFieldKey>()),
      foreignKeyRows_(std::make_unique<ZMGCellFieldForeignKey>()),
      conditionRows_(std::make_unique<ZMGCellFieldCondition>()),
      privilegeRows_(std::make_unique<ZMGCell>()) {
    SetKind(kKindTable);
}

MGShapeTable::MGShapeTable(int schemaNumber, const std::string& owner, const std::string& logicalName,
                           const std::string& name, const std::string& comment, bool detailed)
    : MGShapeTable() {
    SetSchemaNumber(schemaNumber);
    SetOwner(owner);
    SetLogicalName(logicalName);
    SetName(name);
    comment_ = comment;
    SetDetailed(detailed);
}

MGShapeTable::~MGShapeTable() = default;

void MGShapeTable::WriteObjectStatement(std::uint32_t /*scriptFlags*/, std::string& /*out*/) {
    // The table statement is written by the script generator.
}

bool MGShapeTable::WriteBoxScript(std::uint32_t /*scriptFlags*/, std::string& /*out*/, int /*perBoxMode*/,
                                  bool /*blankLineRemoval*/) {
    // The statements are written by the script generator.
    return true;
}

std::string MGShapeTable::GetTypeName(bool englishKeys) const {
    return englishKeys ? "Table" : "表";
}

bool MGShapeTable::WriteBoxRows(std::uint32_t /*sectionKind*/, ZMGCell& /*target*/, bool /*englishKeys*/) {
    // The section rows are produced by the design-file writer.
    return true;
}
