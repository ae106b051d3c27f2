#include "app/table_item_choice.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/ui_language.h"
#include "diagram/settings.h"

namespace tabulorix {

QGroupBox* MakeTableItemChoice(QWidget* parent, QButtonGroup& choices) {
    auto* group = new QGroupBox(UiText::tr("表の表示項目"), parent);
    group->setObjectName(QStringLiteral("SelectField"));
    auto* column = new QVBoxLayout(group);
    const std::vector<std::string>& items = TSetDlg::TableItemItems();
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        auto* radio = new QRadioButton(TranslatedCoreText(items[static_cast<std::size_t>(i)]), group);
        radio->setObjectName(QStringLiteral("SelectField%1").arg(i));
        choices.addButton(radio, i);
        column->addWidget(radio);
    }
    return group;
}

}  // namespace tabulorix
