// A settings host for tests: the diagram's needs and the printer paper are
// set by the test, every call the settings make is logged.
#pragma once

#include <string>
#include <vector>

#include "diagram/settings.h"

namespace tabulorix::testing {

class RecordingSettingsHost final : public SettingsHost {
public:
    bool HasDiagram() const override { return hasDiagram; }
    PageGrid PagesNeeded() const override { return needed; }
    void SetPageCount(int across, int down) override {
        pageCount = {across, down};
        log.push_back("SetPageCount:" + std::to_string(across) + "x" + std::to_string(down));
    }
    void SetWindowZoom() override { log.push_back("SetWindowZoom"); }
    void SetZoom100() override { log.push_back("SetZoom100"); }
    void HandDisplayFlags(int flags) override {
        shapeFlags = flags;
        log.push_back("HandDisplayFlags:" + std::to_string(flags));
    }
    void ApplyDisplayFlags(int flags) override {
        appliedFlags = flags;
        log.push_back("ApplyDisplayFlags:" + std::to_string(flags));
    }
    PaperInfo GetPaperInfo() const override { return paper; }
    void SetPaper(int sizeCode, int orientation) override {
        paper.sizeCode = sizeCode;
        paper.orientation = orientation;
        log.push_back("SetPaper:" + std::to_string(sizeCode) + "," + std::to_string(orientation));
    }

    bool hasDiagram = true;
    PageGrid needed;
    PaperInfo paper{9, 1, 4760.7, 6779.9, 600.0};  // A4 portrait at 600 dpi
    PageGrid pageCount;
    int shapeFlags = -1;
    int appliedFlags = -1;
    std::vector<std::string> log;
};

}  // namespace tabulorix::testing
