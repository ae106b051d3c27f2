#include "diagram/draw_table_list.h"

#include <algorithm>
#include <functional>

#include "base/main_thread.h"
#include "base/ui_ports.h"
#include "catalogue/schema.h"
#include "diagram/paint_cache.h"

namespace tabulorix {

namespace {

std::unique_ptr<MGDrawTableList>& CurrentDiagram() {
    static std::unique_ptr<MGDrawTableList> diagram;
    return diagram;
}

ZMGDrawBox*& DefaultBox() {
    static ZMGDrawBox* box = nullptr;
    return box;
}

// The diagram is made with the first schema and destroyed with the last.
// Registered while the program starts: whatever reads the diagram links this
// file, so the hooks are in place before any schema is made.
void EnsureCurrentDiagram() {
    MGDrawTableList::EnsureCurrent();
}
const bool kLifetimeHooksSet =
    (SetSchemaLifetimeHooks({&EnsureCurrentDiagram, &MGDrawTableList::DestroyCurrent}), true);

int PagesFor(int extent, int paper) {
    if (paper <= 0) return 1;
    return (extent - 1) / paper + 1;
}

}  // namespace

// ---- the process-wide diagram -----------------------------------------------

void MGDrawTableList::SetDefaultDrawBox(ZMGDrawBox* drawBox) {
    DefaultBox() = drawBox;
}

ZMGDrawBox* MGDrawTableList::DefaultDrawBox() {
    return DefaultBox();
}

MGDrawTableList* MGDrawTableList::Current() {
    return CurrentDiagram().get();
}

MGDrawTableList& MGDrawTableList::EnsureCurrent() {
    auto& diagram = CurrentDiagram();
    if (!diagram) {
        TABULORIX_ASSERT_MAIN_THREAD();
        diagram = std::make_unique<MGDrawTableList>(DefaultBox());
    }
    return *diagram;
}

void MGDrawTableList::DestroyCurrent() {
    TABULORIX_ASSERT_MAIN_THREAD();
    // Taken out first, so that nothing reaches a half-destroyed diagram.
    std::unique_ptr<MGDrawTableList> doomed = std::move(CurrentDiagram());
}

// ---- the diagram ------------------------------------------------------------

MGDrawTableList::MGDrawTableList(ZMGDrawBox* drawBox)
    : band_(std::make_unique<MGShapeSelect>()),
      drawBox_(drawBox),
      paintCache_(std::make_unique<tabulorix::DiagramPaintCache>()) {}

MGDrawTableList::~MGDrawTableList() {
    // Relations point at boxes: they go first.
    relations_.Clear();
    boxes_.Clear();
}

void MGDrawTableList::Clear() {
    TABULORIX_ASSERT_MAIN_THREAD();
    relations_.Clear();
    boxes_.Clear();
}

MGShapeTable& MGDrawTableList::AddBox(std::unique_ptr<MGShapeTable> box) {
    TABULORIX_ASSERT_MAIN_THREAD();
    if (numberedCount_ > boxes_.Count() || numberedRemovalVersion_ != boxes_.RemovalVersion()) {
        numberedCount_ = 0;
        largestNumber_ = 0;
        numberedRemovalVersion_ = boxes_.RemovalVersion();
    }
    for (; numberedCount_ < boxes_.Count(); ++numberedCount_) {
        if (const auto* shape = dynamic_cast<const MGShapeRect*>(boxes_.Items(numberedCount_))) {
            largestNumber_ = std::max(largestNumber_, shape->ObjectNumber());
        }
    }
    MGShapeTable& added = *box;
    added.SetObjectNumber(largestNumber_ + 1);
    largestNumber_ = added.ObjectNumber();
    boxes_.Add(std::move(box));
    ++numberedCount_;
    return added;
}

MGShapeRelation& MGDrawTableList::AddRelation(std::unique_ptr<MGShapeRelation> relation) {
    TABULORIX_ASSERT_MAIN_THREAD();
    MGShapeRelation& added = *relation;
    relations_.Add(std::move(relation));
    return added;
}

MGShapeTable* MGDrawTableList::Item(int i) const {
    return dynamic_cast<MGShapeTable*>(boxes_.Items(i));
}

MGShapeRelation* MGDrawTableList::RelationItem(int i) const {
    return dynamic_cast<MGShapeRelation*>(relations_.Items(i));
}

std::size_t MGDrawTableList::KeyHash::operator()(const std::pair<std::string, std::string>& key) const {
    const std::size_t owner = std::hash<std::string>{}(key.first);
    const std::size_t name = std::hash<std::string>{}(key.second);
    return owner ^ (name + 0x9e3779b97f4a7c15ULL + (owner << 6) + (owner >> 2));
}

void MGDrawTableList::UpdateIndex() const {
    if (indexedCount_ > boxes_.Count() || indexedRemovalVersion_ != boxes_.RemovalVersion() ||
        indexedNameGeneration_ != MGShapeRect::NameGeneration()) {
        index_.clear();
        indexedCount_ = 0;
        indexedRemovalVersion_ = boxes_.RemovalVersion();
        indexedNameGeneration_ = MGShapeRect::NameGeneration();
    }
    for (; indexedCount_ < boxes_.Count(); ++indexedCount_) {
        MGShapeTable* box = Item(indexedCount_);
        if (box == nullptr) continue;
        box->WatchNames();
        // emplace keeps an existing entry: the first box in list order wins.
        index_.emplace(std::make_pair(box->Owner(), box->Name()), indexedCount_);
    }
}

MGShapeTable* MGDrawTableList::FindBox(const std::string& owner, const std::string& name) const {
    UpdateIndex();
    const auto found = index_.find(std::make_pair(owner, name));
    return found == index_.end() ? nullptr : Item(found->second);
}

namespace {

std::uint64_t TwinKey(int relationNumber, int twinFlag) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(relationNumber)) << 1) |
           static_cast<std::uint64_t>(twinFlag != 0 ? 1 : 0);
}

}  // namespace

void MGDrawTableList::UpdateTwinIndex() const {
    if (twinIndexedCount_ > relations_.Count() || twinIndexedRemovalVersion_ != relations_.RemovalVersion()) {
        twinIndex_.clear();
        twinIndexedCount_ = 0;
        twinIndexedRemovalVersion_ = relations_.RemovalVersion();
    }
    for (; twinIndexedCount_ < relations_.Count(); ++twinIndexedCount_) {
        const MGShapeRelation* relation = RelationItem(twinIndexedCount_);
        if (relation == nullptr) continue;
        // The first object in list order wins, as a search from the start would find it.
        twinIndex_.emplace(TwinKey(relation->RelationNumber(), relation->TwinFlag()), twinIndexedCount_);
    }
}

MGShapeRelation* MGDrawTableList::FindTwin(const MGShapeRelation& relation) const {
    UpdateTwinIndex();
    const auto found = twinIndex_.find(TwinKey(relation.RelationNumber(), relation.TwinFlag() == 0 ? 1 : 0));
    MGShapeRelation* twin = found == twinIndex_.end() ? nullptr : RelationItem(found->second);
    // Numbers and flags may have been changed after indexing: check before trusting.
    if (twin != nullptr && twin->RelationNumber() == relation.RelationNumber() &&
        (twin->TwinFlag() == 0) != (relation.TwinFlag() == 0)) {
        return twin;
    }
    for (int i = 0; i < relations_.Count(); ++i) {
        MGShapeRelation* candidate = RelationItem(i);
        if (candidate != nullptr && candidate->RelationNumber() == relation.RelationNumber() &&
            (candidate->TwinFlag() == 0) != (relation.TwinFlag() == 0)) {
            twinIndexedCount_ = 0;  // stale: rebuild next time
            twinIndex_.clear();
            return candidate;
        }
    }
    tabulorix::ShowMessage("SYSTEM ERROR peer relation");
    return nullptr;
}

void MGDrawTableList::ResetStates() {
    for (int i = 0; i < boxes_.Count(); ++i) {
        if (auto* shape = dynamic_cast<MGShapeRect*>(boxes_.Items(i)))
            shape->SetState(MGShapeRect::kStateNotPlaced);
    }
}

void MGDrawTableList::ApplyDisplayFlags(int flags) {
    for (int i = 0; i < boxes_.Count(); ++i) {
        if (auto* shape = dynamic_cast<MGShapeRect*>(boxes_.Items(i))) {
            shape->SetDisplayFlags(flags);
            shape->SetSizeDirty(1);
        }
    }
}

void MGDrawTableList::ApplySchemaCount(int count) {
    for (int i = 0; i < boxes_.Count(); ++i) {
        if (auto* shape = dynamic_cast<MGShapeRect*>(boxes_.Items(i))) shape->SetSchemaCount(count);
    }
}

MGDiagramExtent MGDrawTableList::PlacedExtent() const {
    MGDiagramExtent extent;
    for (int i = 0; i < boxes_.Count(); ++i) {
        const auto* shape = dynamic_cast<const MGShapeRect*>(boxes_.Items(i));
        if (shape == nullptr) continue;
        if (shape->State() != MGShapeRect::kStateNormal && shape->State() != MGShapeRect::kStateSelected)
            continue;
        extent.right = std::max(extent.right, shape->Position().right);
        extent.bottom = std::max(extent.bottom, shape->Position().bottom);
    }
    return extent;
}

MGPageCounts MGDrawTableList::PageCounts(int paperW, int paperH) const {
    const MGDiagramExtent extent = PlacedExtent();
    return MGPageCounts{PagesFor(extent.right, paperW), PagesFor(extent.bottom, paperH)};
}

}  // namespace tabulorix
