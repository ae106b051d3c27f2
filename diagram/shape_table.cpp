#include "diagram/shape_table.h"

namespace tabulorix {

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

}  // namespace tabulorix
