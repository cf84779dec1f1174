#include "gui/list_view_widget.h"

#include "app/controls/list_view.h"
#include "app/controls/popup_menu.h"
#include "gui/simple_bindings.h"

#include <QHeaderView>
#include <QMenu>
#include <QStyleOptionHeader>

namespace {

// The list model answers the size-hint role with its column widths and no height, which
// would collapse the header; give it the height of a section with text.
int header_height(const QHeaderView& header) {
    QStyleOptionHeader option;
    option.initFrom(&header);
    option.text = QStringLiteral("Ag");
    const QSize text = header.fontMetrics().size(Qt::TextSingleLine, option.text);
    return header.style()->sizeFromContents(QStyle::CT_HeaderSection, &option, text, &header).height();
}

}  // namespace

ListViewWidget::ListViewWidget(ListView& model, const char* name, Guard guard, std::function<void()> on_double_click,
                               const PopupMenu* menu, QWidget* parent)
    : QTreeView(parent),
      model_(model),
      guard_(std::move(guard)),
      on_double_click_(std::move(on_double_click)) {
    setObjectName(name);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideRight);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header()->setMinimumHeight(header_height(*header()));
    setModel(&model_);
    apply_column_widths();
    show_model_selection();

    connect(&model_, &ListView::columns_changed, this, &ListViewWidget::apply_column_widths);
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] {
        apply_column_widths();
        show_model_selection();
    });
    connect(&model_, &ListView::selection_changed, this, &ListViewWidget::show_model_selection);
    // A column the user resizes keeps its new width in the model, which the list file saves.
    connect(header(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (applying_widths_ || column >= model_.column_count() || model_.column(column).width == width) return;
        applying_widths_ = true;
        guard_([this, column, width] { model_.set_column_width(column, width); });
        applying_widths_ = false;
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &ListViewWidget::take_view_selection);

    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        const int row = index.row();
        guard_([this, row] {
            model_.set_selected(row);
            if (on_double_click_) on_double_click_();
        });
    });

    if (menu) {
        // The menu's items are fixed for the program's run: one menu serves every right-click.
        context_menu_ = make_popup_menu(*menu, guard_, this);
        setContextMenuPolicy(Qt::CustomContextMenu);
        connect(this, &QWidget::customContextMenuRequested, this,
                [this](const QPoint& at) { context_menu_->popup(viewport()->mapToGlobal(at)); });
    }
}

void ListViewWidget::apply_column_widths() {
    if (applying_widths_) return;
    applying_widths_ = true;
    for (int i = 0; i < model_.column_count(); ++i) header()->resizeSection(i, model_.column(i).width);
    applying_widths_ = false;
}

void ListViewWidget::show_model_selection() {
    if (syncing_) return;
    const int row = model_.selected();
    const QModelIndexList shown = selectionModel()->selectedRows();
    if (row < 0 ? shown.isEmpty() : shown.size() == 1 && shown.front().row() == row) return;
    syncing_ = true;
    if (row < 0)
        selectionModel()->clearSelection();
    else
        selectionModel()->setCurrentIndex(model_.index(row, 0),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    syncing_ = false;
}

void ListViewWidget::take_view_selection() {
    if (syncing_) return;
    const QModelIndexList shown = selectionModel()->selectedRows();
    const int row = shown.isEmpty() ? -1 : shown.front().row();
    syncing_ = true;
    guard_([this, row] { model_.set_selected(row); });
    syncing_ = false;
}

QMenu* make_popup_menu(const PopupMenu& menu, const Guard& guard, QWidget* parent) {
    auto* popup = new QMenu(parent);
    for (const MenuItem& item : menu.items) {
        QAction* action = popup->addAction(to_qstring(item.caption));
        action->setObjectName(QString::fromStdString(item.name));
        const std::function<void()> on_click = item.on_click;
        QObject::connect(action, &QAction::triggered, popup, [guard, on_click] {
            guard([&on_click] {
                if (on_click) on_click();
            });
        });
    }
    return popup;
}
