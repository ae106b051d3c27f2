// A design in memory with what writing, loading and saving it needs:
// recording ports, settings over a recording host, a window that records
// what the loader does to it, the schema manager and a private directory.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "diagram/settings.h"
#include "catalogue/schema_manager.h"
#include "designfile/design_window.h"
#include "support/recording_ports.h"
#include "support/recording_settings_host.h"
#include "support/snapshot_fixture.h"

namespace tabulorix::testing {

class RecordingDesignWindow final : public MGDesignWindow {
public:
    std::string FontNameText() const override { return fontName; }
    std::string FontSizeText() const override { return fontSize; }
    void SelectFontItems(const std::string& name, const std::string& size) override {
        fontName = name;
        fontSize = size;
        ++selections;
    }
    // Runs after the schema blocks are read and before the boxes are placed.
    void ShowRightPanel() override {
        if (beforeLayout) beforeLayout();
    }
    // Runs after the relations are built, before the font is applied again.
    void ExpandDesignNode() override {
        if (beforeFontAgain) beforeFontAgain();
    }
    void DeleteRootNode() override { ++rootDeletions; }
    void SetRootNodeText(const std::string& text) override { rootText = text; }

    std::string fontName = "ＭＳ Ｐゴシック";
    std::string fontSize = "9";
    int selections = 0;
    int rootDeletions = 0;
    std::string rootText;
    std::function<void()> beforeLayout;
    std::function<void()> beforeFontAgain;
};

class DesignTest : public ::testing::Test {
protected:
    RecordingPorts ports;
    RecordingSettingsHost host;
    TSetDlg settings{&host};
    RecordingDesignWindow window;
    MGSchemaMng manager;
    MGDesignContext context{manager, settings, window, nullptr};
    TempDirectory dir;
};

}  // namespace tabulorix::testing
