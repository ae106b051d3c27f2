// A clipboard port that keeps a copy of the last picture put on it and passes
// it on to the system clipboard when there is one. The Word export records
// every page onto the clipboard, as the EMF action's copy does, and takes the
// pictures from here; the command line has no clipboard and taps only.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/output_ports.h"

namespace tabulorix {

class ClipboardTap final : public ClipboardPort {
public:
    // downstream (not owned) receives every picture; nullptr for none.
    explicit ClipboardTap(ClipboardPort* downstream = nullptr) : downstream_(downstream) {}

    bool PutEmf(const std::vector<std::uint8_t>& bytes) override {
        last_ = bytes;
        return downstream_ == nullptr || downstream_->PutEmf(bytes);
    }

    // The last picture, which stays here until taken.
    std::optional<std::vector<std::uint8_t>> Take() {
        std::optional<std::vector<std::uint8_t>> picture = std::move(last_);
        last_.reset();
        return picture;
    }

private:
    ClipboardPort* downstream_;
    std::optional<std::vector<std::uint8_t>> last_;
};

}  // namespace tabulorix
