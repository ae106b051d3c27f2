// Saving the design: the question whether to save, the name dialog, and the
// modified state behind both.
#pragma once

#include "base/ui_ports.h"
#include "designfile/design_window.h"

namespace tabulorix {

inline constexpr const char* kDesignFileFilter = "デザインファイル (*.tlx)|*.tlx|すべて (*.*)|*.*";

// ask false (save as): the name dialog, then the file. ask true: nothing
// when the design is not modified (Yes); otherwise the question (without it
// when quiet and the design has a name), the name dialog for an unnamed
// design, then the file. Returns Yes after saving or when nothing needed
// saving, No when the user declined, Cancel when the user cancelled or the
// file could not be written (the message has been shown; the design stays
// modified).
tabulorix::Answer SaveDesign(const MGDesignContext& context, bool ask, bool quiet);

bool IsModified(const MGDesignContext& context);
void ClearModified(const MGDesignContext& context);

}  // namespace tabulorix
