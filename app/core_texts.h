// The texts the core hands to the window in Japanese (messages, questions,
// progress lines, file dialog titles and filters, list headings, tree
// categories, the choices of the settings dialog), listed here so that the
// translation tools find them and the window can show them translated.
#pragma once

#include <span>

namespace tabulorix {

// Texts shown as they are.
std::span<const char* const> CoreTexts();

// Texts with inserted parts, "%1" … "%9" standing for each part.
std::span<const char* const> CoreTextPatterns();

}  // namespace tabulorix
