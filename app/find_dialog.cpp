#include "app/find_dialog.h"

#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

#include "app/ui_language.h"
#include "diagram/draw_table_list.h"
#include "diagram/shape_table.h"

namespace tabulorix {

TFindDlg::TFindDlg(QWidget* parent, std::function<void(MGShapeTable&)> chosen)
    : QDialog(parent, Qt::Tool), text_(new QLineEdit(this)), list_(new QListView(this)), chosen_(std::move(chosen)) {
    setObjectName(QStringLiteral("FindDlg"));
    setWindowTitle(UiText::tr("表の検索"));
    text_->setObjectName(QStringLiteral("FindText"));
    text_->setPlaceholderText(UiText::tr("表名・ビュー名・列名の一部"));
    list_->setObjectName(QStringLiteral("FindList"));
    list_->setModel(&model_);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setUniformItemSizes(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(list_);
    resize(420, 360);
    connect(text_, &QLineEdit::textChanged, this, &TFindDlg::Search);
    connect(text_, &QLineEdit::returnPressed, this, [this] {
        const QModelIndex current = list_->currentIndex();
        Choose(current.isValid() ? current.row() : 0);
    });
    connect(list_, &QListView::doubleClicked, this, [this](const QModelIndex& index) { Choose(index.row()); });
}

void TFindDlg::Open() {
    show();
    raise();
    activateWindow();
    text_->setFocus();
    text_->selectAll();
    Search(text_->text());
}

void TFindDlg::Search(const QString& text) {
    const MGDrawTableList* diagram = MGDrawTableList::Current();
    found_ = diagram == nullptr ? std::vector<MGFoundBox>{} : FindBoxes(*diagram, text.toStdString());
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(found_.size()));
    for (const MGFoundBox& found : found_) {
        QString row = QString::fromStdString(found.box->Owner() + "." + found.box->Name());
        if (!found.column.empty()) row += UiText::tr("  (列 %1)").arg(QString::fromStdString(found.column));
        rows << row;
    }
    model_.setStringList(rows);
    if (!rows.isEmpty()) list_->setCurrentIndex(model_.index(0));
}

void TFindDlg::Choose(int row) {
    if (row < 0 || row >= static_cast<int>(found_.size())) return;
    chosen_(*found_[static_cast<std::size_t>(row)].box);
}

}  // namespace tabulorix
