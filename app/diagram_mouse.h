// The mouse on the diagram tab: the paint box's presses, moves and releases
// go to the diagram's interaction with the tool mode of the tool bar; the
// interaction reaches the window through this host (the delete-text button,
// the text dialog, the request to open a table).
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>

#include "diagram/interaction.h"

class QAction;

namespace tabulorix {

class MGDesignDocument;
class MGDrawTableList;
class MGShapeTable;
class PaintBoxWidget;
class TTextDlg;

class DiagramMouse final : public QObject, public MGInteractionHost {
    Q_OBJECT
public:
    // arrow: the select tool's action (checked: select, else place text);
    // deleteText: the delete-text action the interaction enables; follow: a
// box clicked (open false) or double-clicked (open true).
    DiagramMouse(MGDesignDocument& document, PaintBoxWidget& paintBox, QAction& arrow, QAction& deleteText,
                 std::function<void(MGShapeTable&, bool open)> follow);
    ~DiagramMouse() override;

    // Escape: a drag or band in progress is given up.
    void CancelDrag();
    // The selected texts are removed.
    void DeleteTexts();
    // Selects the box and scrolls it into view (a table chosen elsewhere).
    bool ShowTable(int schemaNumber, const std::string& name);
    // The text dialog, for tests.
    TTextDlg& TextDialog() { return *textDialog_; }

    void SetDeleteTextEnabled(bool enabled) override;
    void RequestOpen(MGShapeTable& box) override { follow_(box, true); }
    void BoxClicked(MGShapeTable& box) override { follow_(box, false); }
    bool AskText(MGTextEntry& entry) override;
    MGTextEntry DefaultText() const override;

private:
    // The interaction over the current diagram; nothing without one.
    MGDiagramInteraction* Interaction();

    MGDesignDocument& document_;
    QAction& arrow_;
    QAction& deleteText_;
    std::function<void(MGShapeTable&, bool open)> follow_;  // a box clicked or opened
    TTextDlg* textDialog_;
    MGDrawTableList* diagram_ = nullptr;
    std::unique_ptr<MGDiagramInteraction> interaction_;
};

}  // namespace tabulorix
