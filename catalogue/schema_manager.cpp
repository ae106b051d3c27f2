#include "catalogue/schema_manager.h"

#include <algorithm>
#include <cctype>

namespace tabulorix {

MGSchemaMng::MGSchemaMng() : queryTable_(std::make_unique<ZMGCell>()) {}

MGSchemaMng::~MGSchemaMng() {
    ClearSchemas();
}

MGSchema* MGSchemaMng::GetSchema(int position) const {
    if (position < 0 || position >= SchemaCount()) return nullptr;
    return schemas_[static_cast<std::size_t>(position)].get();
}

MGSchema* MGSchemaMng::FindSchema(const std::string& owner) const {
    for (const auto& schema : schemas_) {
        if (schema->OwnerName() == owner) return schema.get();
    }
    return nullptr;
}

void MGSchemaMng::AddSchema(std::unique_ptr<MGSchema> schema) {
    if (schema) schemas_.push_back(std::move(schema));
}

void MGSchemaMng::ClearSchemas() {
    current_ = nullptr;
    // Taken out of the list first so that nothing reaches a half-destroyed
    // schema through the manager; destroyed in reading order.
    std::vector<std::unique_ptr<MGSchema>> doomed = std::move(schemas_);
    schemas_.clear();
    for (auto& schema : doomed) schema.reset();
}

int MGSchemaMng::NextSchemaNumber() const {
    int largest = 0;
    for (const auto& schema : schemas_) largest = std::max(largest, schema->SchemaNumber());
    return largest + 1;
}

std::string MGSchemaMng::DesignTitle() const {
    if (designPath_.empty()) return kUntitledDesign;
    // Both separators are accepted: paths may come from either platform.
    const std::size_t slash = designPath_.find_last_of("/\\");
    const std::string title = slash == std::string::npos ? designPath_ : designPath_.substr(slash + 1);
    std::string lower = title;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    const std::size_t extension = lower.find(".kvx");
    // Cut only when the extension is at 1-based position 2 or later.
    if (extension != std::string::npos && extension >= 1) return title.substr(0, extension);
    return title;
}

}  // namespace tabulorix
