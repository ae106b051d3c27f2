#include "app/csv_output_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/csv_save_all_dialog.h"
#include "app/ui_language.h"
#include "base/ui_ports.h"
#include "catalogue/row_table.h"
#include "catalogue/schema.h"
#include "catalogue/schema_manager.h"

namespace tabulorix {

namespace {

constexpr int kStartKind = 1;  // 列定義一覧
constexpr const char* kGridHint =
    "C (check constraint on a table),P (primary key),U (unique key),R (referential integrity)";

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(UiText::tr(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TOutputCSVFileDlg::TOutputCSVFileDlg(QWidget* parent, MGDateClock clock)
    : QDialog(parent), save_(new TSaveCsvAllDlg(this)), clock_(std::move(clock)) {
    setObjectName(QStringLiteral("OutputCSVFileDlg"));
    setWindowTitle(UiText::tr("CSV出力"));
    auto* choices = new QVBoxLayout;
    auto* schemaLabel = new QLabel(UiText::tr("スキーマ選択"), this);
    ComboBoxSelectSchema = new QComboBox(this);
    ComboBoxSelectSchema->setObjectName(QStringLiteral("ComboBoxSelectSchema"));
    schemaLabel->setBuddy(ComboBoxSelectSchema);
    choices->addWidget(schemaLabel);
    choices->addWidget(ComboBoxSelectSchema);
    choices->addWidget(BuildTargets());
    CheckBoxSuppress = new QCheckBox(UiText::tr("サプレス"), this);
    CheckBoxSuppress->setObjectName(QStringLiteral("CheckBoxSuppress"));
    CheckBoxSuppress->setChecked(true);
    CheckBoxDispOn = new QCheckBox(UiText::tr("表示対象のみ出力"), this);
    CheckBoxDispOn->setObjectName(QStringLiteral("CheckBoxDispOn"));
    CheckBoxDispOn->setChecked(true);
    choices->addWidget(CheckBoxSuppress);
    choices->addWidget(CheckBoxDispOn);
    choices->addStretch(1);
    ButtonView = MakeButton(this, "ButtonView", QT_TRANSLATE_NOOP("UiText", "確認"));
    SaveAllButton = MakeButton(this, "SaveAllButton", QT_TRANSLATE_NOOP("UiText", "保存"));
    CancelBtn = MakeButton(this, "CancelBtn", QT_TRANSLATE_NOOP("UiText", "終了"));
    for (QPushButton* button : {ButtonView, SaveAllButton, CancelBtn}) choices->addWidget(button);

    ListViewForCSV = new QTableView(this);
    ListViewForCSV->setObjectName(QStringLiteral("ListViewForCSV"));
    ListViewForCSV->setToolTip(UiText::tr(kGridHint));
    ListViewForCSV->setModel(&model_);
    ListViewForCSV->setShowGrid(true);
    ListViewForCSV->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListViewForCSV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewForCSV->setWordWrap(false);
    ListViewForCSV->verticalHeader()->setVisible(false);
    ListViewForCSV->verticalHeader()->setDefaultSectionSize(ListViewForCSV->fontMetrics().height() + 4);
    ListViewForCSV->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(ListViewForCSV, 1);
    resize(960, 560);

    connect(ButtonView, &QPushButton::clicked, this, &TOutputCSVFileDlg::ViewList);
    connect(SaveAllButton, &QPushButton::clicked, this, &TOutputCSVFileDlg::SaveAll);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

// The model refers to the held table: it lets go first.
TOutputCSVFileDlg::~TOutputCSVFileDlg() {
    model_.SetTable(nullptr);
}

QGroupBox* TOutputCSVFileDlg::BuildTargets() {
    RadioGroupTarget = new QGroupBox(UiText::tr("確認対象"), this);
    RadioGroupTarget->setObjectName(QStringLiteral("RadioGroupTarget"));
    auto* column = new QVBoxLayout(RadioGroupTarget);
    for (int kind = 0; kind < kCsvListCount; ++kind) {
        auto* radio = new QRadioButton(
            UiText::tr(CsvListKinds()[static_cast<std::size_t>(kind)].caption), RadioGroupTarget);
        radio->setObjectName(QStringLiteral("RadioGroupTarget%1").arg(kind));
        radio->setChecked(kind == kStartKind);
        targets_[static_cast<std::size_t>(kind)] = radio;
        column->addWidget(radio);
    }
    return RadioGroupTarget;
}

void TOutputCSVFileDlg::Prepare(const MGSchemaMng& manager) {
    manager_ = &manager;
    ComboBoxSelectSchema->clear();
    for (int i = 0; i < manager.SchemaCount(); ++i)
        ComboBoxSelectSchema->addItem(QString::fromStdString(manager.GetSchema(i)->OwnerName()));
    ComboBoxSelectSchema->setCurrentIndex(manager.SchemaCount() > 0 ? 0 : -1);
}

void TOutputCSVFileDlg::Execute(const MGSchemaMng& manager) {
    Prepare(manager);
    exec();
}

void TOutputCSVFileDlg::ClearList() {
    model_.SetTable(nullptr);
    list_.reset();
}

void TOutputCSVFileDlg::Reset() {
    ClearList();
}

MGCsvListChoice TOutputCSVFileDlg::Choice() const {
    return MGCsvListChoice{ComboBoxSelectSchema->currentText().toStdString(), CheckBoxSuppress->isChecked(),
                           CheckBoxDispOn->isChecked()};
}

int TOutputCSVFileDlg::ChosenKind() const {
    for (int kind = 0; kind < kCsvListCount; ++kind)
        if (targets_[static_cast<std::size_t>(kind)]->isChecked()) return kind;
    return kStartKind;
}

void TOutputCSVFileDlg::BuildList(int kind, bool show) {
    ClearList();
    if (manager_ == nullptr) return;
    list_ = BuildCsvList(*manager_, kind, Choice(), true);
    if (list_ == nullptr || !show) return;
    // The grid reads its texts from the list as the view asks for them.
    model_.SetTable(list_.get());
    const std::vector<int> widths = model_.ColumnWidths(ListViewForCSV->fontMetrics());
    for (std::size_t c = 0; c < widths.size(); ++c)
        ListViewForCSV->setColumnWidth(static_cast<int>(c), widths[c]);
}

void TOutputCSVFileDlg::ViewList() {
    StatusPort& status = Status();
    status.Reset();
    status.Show(true);
    status.SetMainLine("CSV出力");
    BuildList(ChosenKind(), true);
    status.Close();
}

void TOutputCSVFileDlg::SaveAll() {
    if (manager_ == nullptr) return;
    const MGCsvListChoice choice = Choice();
    const std::optional<MGCsvSaveRequest> request = save_->Execute(ProposedCsvNames(choice.owner, clock_()));
    if (request) SaveCsvLists(*manager_, choice, *request);
}

}  // namespace tabulorix
