#include "app/diagram_mouse.h"

#include <QAction>

#include "app/text_dialog.h"
#include "app/window_surfaces.h"
#include "catalogue/schema_manager.h"
#include "diagram/draw_table_list.h"
#include "session/design_document.h"

namespace tabulorix {

DiagramMouse::DiagramMouse(MGDesignDocument& document, PaintBoxWidget& paintBox, QAction& arrow,
                           QAction& deleteText, std::function<void(MGShapeTable&, bool)> follow)
    : QObject(&paintBox),
      document_(document),
      arrow_(arrow),
      deleteText_(deleteText),
      follow_(std::move(follow)),
      textDialog_(new TTextDlg(&paintBox)) {
    connect(&paintBox, &PaintBoxWidget::pressed, this, [this](int x, int y, bool right, bool shift, bool twice) {
        if (MGDiagramInteraction* interaction = Interaction())
            interaction->MouseDown(MGMouse{x, y, right, shift, twice},
                                   arrow_.isChecked() ? MGToolMode::Select : MGToolMode::PlaceText);
    });
    connect(&paintBox, &PaintBoxWidget::moved, this, [this](int x, int y) {
        if (MGDiagramInteraction* interaction = Interaction()) interaction->MouseMove(x, y);
    });
    connect(&paintBox, &PaintBoxWidget::released, this, [this](int x, int y) {
        if (MGDiagramInteraction* interaction = Interaction()) interaction->MouseUp(x, y);
    });
    deleteText_.setEnabled(false);
}

DiagramMouse::~DiagramMouse() = default;

MGDiagramInteraction* DiagramMouse::Interaction() {
    MGDrawTableList* current = MGDrawTableList::Current();
    if (current == nullptr || document_.Manager().SchemaCount() == 0) {
        interaction_.reset();
        diagram_ = nullptr;
        return nullptr;
    }
    if (current != diagram_ || interaction_ == nullptr) {
        diagram_ = current;
        interaction_ = std::make_unique<MGDiagramInteraction>(*current, document_.DrawBox(), *this,
                                                              document_.Manager().DisplayMode());
    }
    return interaction_.get();
}

void DiagramMouse::CancelDrag() {
    if (MGDiagramInteraction* interaction = Interaction()) interaction->CancelDrag();
}

void DiagramMouse::DeleteTexts() {
    if (MGDiagramInteraction* interaction = Interaction()) interaction->DeleteTexts();
}

bool DiagramMouse::ShowTable(int schemaNumber, const std::string& name) {
    MGDiagramInteraction* interaction = Interaction();
    return interaction != nullptr && interaction->ShowTable(schemaNumber, name);
}

void DiagramMouse::SetDeleteTextEnabled(bool enabled) { deleteText_.setEnabled(enabled); }

bool DiagramMouse::AskText(MGTextEntry& entry) { return textDialog_->Execute(entry); }

MGTextEntry DiagramMouse::DefaultText() const {
    MGTextEntry entry;
    entry.fontName = document_.FontNameText();
    entry.fontSize = std::atoi(document_.FontSizeText().c_str());
    if (entry.fontSize <= 0) entry.fontSize = 9;
    return entry;
}

}  // namespace tabulorix
