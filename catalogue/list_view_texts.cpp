#include "catalogue/list_view_texts.h"

#include "catalogue/row_table.h"

namespace tabulorix {

namespace {

void ChooseColumns(const ZMGCell& table, int columnLimit, ZMGListViewTexts& result) {
    const ZMGRowExt& header = table.GetRow(0);
    int count = header.ItemCount();
    if (columnLimit > 0 && columnLimit < count) count = columnLimit;
    for (int c = 0; c < count; ++c) {
        if (table.HasName(header.Item(c))) continue;
        result.columns.push_back(c);
        result.captions.push_back(header.Item(c));
    }
}

}  // namespace

ZMGListViewTexts ListViewDisplayTexts(const ZMGCell& table, int columnLimit) {
    ZMGListViewTexts result;
    if (table.RowCount() == 0) return result;
    ChooseColumns(table, columnLimit, result);

    std::vector<ZMGColumnInfo> info(result.columns.size());
    for (int r = 1; !table.IsPastEnd(r); ++r) {
        const ZMGRowExt& row = table.GetRow(r);
        ZMGListViewRow shown;
        shown.checked = row.Detail();
        shown.stateImage = row.TestFlags();
        bool blanking = true;
        for (std::size_t k = 0; k < result.columns.size(); ++k) {
            const int c = result.columns[k];
            const std::string& value = row.ItemOrEmpty(c);
            if (c >= table.GroupColumns() || value != info[k].lastValue) blanking = false;
            shown.texts.push_back(blanking ? std::string() : value);
            info[k].lastValue = value;
        }
        result.rows.push_back(std::move(shown));
    }
    return result;
}

}  // namespace tabulorix
