#include "session/csv_names.h"

namespace tabulorix {

std::array<std::string, kCsvListCount> ProposedCsvNames(const std::string& owner, const MGDate& date) {
    std::array<std::string, kCsvListCount> names;
    for (int kind = 0; kind < kCsvListCount; ++kind)
        names[static_cast<std::size_t>(kind)] = ProposedCsvName(owner, date, kind);
    return names;
}

}  // namespace tabulorix
