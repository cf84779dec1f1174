#include "gui/search_service_widgets.h"

#include "model/app/Downloaddemo_U.h"
#include "gui/simple_bindings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

QComboBox* make_combo_box(ComboBox& model, const char* name, const Guard& guard, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (const auto& item : model.items()) combo->addItem(to_qstring(item));
    combo->setCurrentIndex(model.item_index());
    // activated comes from the user only, so the echo below never loops back.
    QObject::connect(combo, &QComboBox::activated, combo,
                     [guard, &model](int index) { guard([&model, index] { model.set_item_index(index); }); });
    QObject::connect(&model, &ComboBox::changed, combo, [combo, &model] {
        if (combo->currentIndex() != model.item_index()) combo->setCurrentIndex(model.item_index());
    });
    return combo;
}

namespace {

constexpr int kServiceShownCharacters = 10;
constexpr int kFieldMinimumWidth = 80;

}  // namespace

void add_search_service_fields(TForm1& form, const Guard& guard, QGridLayout& grid, QWidget* page) {
    auto* service = make_combo_box(form.search_service, "search_service", guard, page);
    auto* language = make_combo_box(form.results_language, "results_language", guard, page);
    auto* region = make_combo_box(form.results_region, "results_region", guard, page);
    // Narrower than their longest entries, so that the page keeps the window's width.
    for (QComboBox* combo : {service, language, region}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(kServiceShownCharacters);
    }
    auto* host = make_text_field(form.search_host, "search_host", guard, page);
    // The field is narrow: show an address from its scheme on, not its tail.
    host->setCursorPosition(0);
    QObject::connect(&form.search_host, &TextField::changed, host, [host] {
        if (!host->hasFocus()) host->setCursorPosition(0);
    });
    auto* key = make_text_field(form.api_key, "api_key", guard, page);
    // The key is not shown on screen, nor offered to the clipboard.
    key->setEchoMode(QLineEdit::Password);
    auto* phrase = make_text_field(form.search_phrase, "search_phrase", guard, page);
    const struct {
        QWidget* field;
        const char* caption;
        const char* name;
        int row;
        int column;
    } fields[] = {{phrase, "Search phrase", "search_phrase_label", 2, 3},
                  {service, "Search service", "search_service_label", 0, 6},
                  {host, "Search host", "search_host_label", 1, 6},
                  {key, "API key", "api_key_label", 2, 6},
                  {language, "Results language", "results_language_label", 4, 3},
                  {region, "Region", "results_region_label", 4, 6}};
    for (const auto& entry : fields) {
        entry.field->setMinimumWidth(kFieldMinimumWidth);
        grid.addWidget(make_field_label(entry.caption, entry.name, entry.field, page), entry.row, entry.column);
        grid.addWidget(entry.field, entry.row, entry.column + 1);
    }
}
