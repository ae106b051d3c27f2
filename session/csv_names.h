// The file names the CSV save proposes for the nine lists of one owner on
// one day, shared by the CSV dialog and the command line's `csv`; the day
// comes from a clock the caller may replace (tests fix it).
#pragma once

#include <array>
#include <functional>
#include <string>

#include "outputs/csv_export.h"

namespace tabulorix {

using MGDateClock = std::function<MGDate()>;

// owner + "_" + "yyyy_mm_dd" + "_" + each list's suffix, in list order.
std::array<std::string, kCsvListCount> ProposedCsvNames(const std::string& owner, const MGDate& date);

}  // namespace tabulorix
