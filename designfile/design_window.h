// What the design-file writer, loader and save logic need from the main
// window: the font combo boxes of the tool bar and the presentation steps
// around loading. The GUI implements it over its widgets, the command line
// and the tests without a window (the defaults do nothing).
#pragma once

#include <string>

namespace tabulorix {

class MGSchemaMng;
class TSetDlg;
class ZMGDrawBox;

class MGDesignWindow {
public:
    virtual ~MGDesignWindow() = default;

    // The texts of ComboBoxForFontName and ComboBoxForFontSize.
    virtual std::string FontNameText() const = 0;
    virtual std::string FontSizeText() const = 0;
    // Selects the item equal to each text in its combo box; a text that is
    // not among the items leaves that combo box without a selection.
    virtual void SelectFontItems(const std::string& fontName, const std::string& fontSize) = 0;

    // Before loading: zoom-in and zoom-out enabled, scroll bars at 0, the
    // window's zoom 100 %.
    virtual void ResetViewForLoading() {}
    // After loading a design with schemas, in this order. The boxes' SQL
    // source texts are written just before the design node is expanded.
    virtual void ShowRightPanel() {}
    virtual void ResetListViewMemory() {}
    virtual void SetWindowZoom100() {}
    virtual void RebuildSchemaList() {}
    virtual void ExpandDesignNode() {}
    // The design's tree root node (wrong document type; renamed design).
    virtual void DeleteRootNode() {}
    virtual void SetRootNodeText(const std::string& /*text*/) {}
};

// Everything a design file is written from and read into.
struct MGDesignContext {
    MGSchemaMng& manager;
    TSetDlg& settings;
    MGDesignWindow& window;
    ZMGDrawBox* drawBox = nullptr;  // measuring and layout; none without a window
};

}  // namespace tabulorix
