#include "catalogue/query_layer.h"

#include "base/ui_ports.h"

namespace tabulorix {

ZMGDataset::~ZMGDataset() {
    ZMGDataset::CloseQuery();
}

void ZMGDataset::InitQuery(tabulorix::DatabaseConnection* connection, const std::string& statement) {
    connection_ = connection;
    statement_ = statement;
}

bool ZMGDataset::OpenQuery() {
    if (open_) return false;
    auto& status = tabulorix::Status();
    status.SetDetailLine("定義情報問い合わせ中...");
    status.SetPosition(0);
    try {
        if (connection_ == nullptr) throw tabulorix::DatabaseError("No database connection.");
        result_ = std::make_unique<tabulorix::QueryResult>(connection_->Run(statement_));
    } catch (const tabulorix::DatabaseError& error) {
        open_ = false;
        tabulorix::ShowMessage(error.what());
        return false;
    }
    open_ = true;
    status.SetDetailLine("定義情報問い合わせ完了");
    return true;
}

void ZMGDataset::CloseQuery() {
    if (!open_) return;
    result_.reset();
    open_ = false;
}

const tabulorix::QueryResult* ZMGDataset::GetQuery() const {
    return open_ ? result_.get() : nullptr;
}

void ZMGDataset::FillRowTable(ZMGCell& target, bool append) const {
    if (!open_ || !result_) throw tabulorix::DatabaseError("The query is not open: " + statement_);
    const auto& result = *result_;
    if (!append) {
        target.ClearRows(0);
        auto header = std::make_unique<ZMGRowExt>();
        for (const auto& name : result.fieldNames) header->AddItem(name);
        target.AddRow(std::move(header));
    }
    auto& status = tabulorix::Status();
    status.SetPosition(0);
    status.SetDetailLine("情報処理中...");
    status.SetMaximum(static_cast<int>(result.rows.size()));
    int k = 0;
    for (const auto& record : result.rows) {
        status.SetPosition(k);
        auto row = std::make_unique<ZMGRowExt>();
        row->ReserveItems(static_cast<int>(record.size()));
        for (const auto& value : record) row->AddItem(tabulorix::TrimTrailingBlanks(value));
        target.AddRow(std::move(row));
        ++k;
    }
    status.SetDetailLine("情報処理完了");
}

ZMGQueryListView::ZMGQueryListView() : table_(std::make_unique<ZMGCell>()) {}

ZMGQueryListView::~ZMGQueryListView() = default;

void RunQueryInto(ZMGQuery& query, tabulorix::DatabaseConnection* connection, const std::string& statement,
                  ZMGCell& target, bool append) {
    query.CloseQuery();
    query.InitQuery(connection, statement);
    if (!query.OpenQuery()) throw ZMGQueryStopped(statement);
    query.FillRowTable(target, append);
    query.CloseQuery();
}

}  // namespace tabulorix
