#include "gui/list_view_widget.h"

#include "model/app/controls/list_view.h"
#include "model/app/controls/popup_menu.h"
#include "gui/simple_bindings.h"

#include <QAction>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMenu>
#include <QStyleOptionHeader>
#include <QToolTip>

#include <algorithm>

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

// The usual keys of the list commands, by the menu item's name.
QKeySequence standard_key(const std::string& item_name) {
    if (item_name == "Openlist1" || item_name == "OpenList2") return QKeySequence::Open;
    if (item_name == "Savelist1" || item_name == "Save1") return QKeySequence::Save;
    return {};
}

}  // namespace

ListViewWidget::ListViewWidget(ListView& model, const char* name, Guard guard, std::function<void()> on_double_click,
                               const PopupMenu* menu, QWidget* parent)
    : QTreeView(parent),
      model_(model),
      guard_(std::move(guard)),
      on_double_click_(std::move(on_double_click)),
      sorted_(new ListSortProxy(this)) {
    setObjectName(name);
    set_up_report_style();
    sorted_->setSourceModel(&model_);
    setModel(sorted_);
    apply_column_widths();
    show_model_selection();
    follow_model();

    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        const int row = model_index(index).row();
        guard_([this, row] {
            model_.set_selected(row);
            if (on_double_click_) on_double_click_();
        });
    });
    if (menu) add_context_menu(*menu);
}

void ListViewWidget::set_up_report_style() {
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
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(-1, Qt::AscendingOrder);
}

void ListViewWidget::follow_model() {
    connect(&model_, &ListView::columns_changed, this, [this] {
        apply_column_widths();
        apply_sort();
    });
    // Connected after the view's own handler, so that this click decides the indicator.
    connect(header(), &QHeaderView::sectionClicked, this, &ListViewWidget::on_header_clicked);
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] {
        apply_column_widths();
        show_model_selection();
    });
    connect(&model_, &ListView::selection_changed, this, &ListViewWidget::show_model_selection);
    // A column the user resizes keeps its new width in the model, which the list file saves.
    connect(header(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        // A column's share of a grown window is the view's, not the list's.
        const int list_width = width - room_of(column);
        if (applying_widths_ || column >= model_.column_count() || model_.column(column).width == list_width) return;
        applying_widths_ = true;
        guard_([this, column, list_width] { model_.set_column_width(column, list_width); });
        applying_widths_ = false;
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &ListViewWidget::take_view_selection);
}

void ListViewWidget::add_context_menu(const PopupMenu& menu) {
    // The menu's items are fixed for the program's run: one menu serves every right-click.
    context_menu_ = make_popup_menu(menu, guard_, this);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { context_menu_->popup(viewport()->mapToGlobal(at)); });
    add_standard_keys();
}

void ListViewWidget::add_standard_keys() {
    for (QAction* action : context_menu_->actions()) {
        const QKeySequence key = standard_key(action->objectName().toStdString());
        if (key.isEmpty()) continue;
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
}

void ListViewWidget::set_room(int extra_width) {
    extra_width = std::max(0, extra_width);
    if (extra_width == room_) return;
    // Only the change moves the columns, so a width the user dragged stays; room_ changes
    // first, so the resize is not taken for the user's and the list's width stays as it is.
    const int before[] = {room_of(0), room_of(1)};
    room_ = extra_width;
    for (int i = 0; i < std::min(2, model_.column_count()); ++i)
        header()->resizeSection(i, header()->sectionSize(i) + room_of(i) - before[i]);
}

int ListViewWidget::room_of(int column) const {
    if (column > 1 || column >= model_.column_count()) return 0;
    if (model_.column_count() == 1) return room_;
    return column == 0 ? room_ - room_ / 2 : room_ / 2;
}

QModelIndex ListViewWidget::shown_index(const QModelIndex& model_index) const {
    return sorted_->mapFromSource(model_index);
}

QModelIndex ListViewWidget::model_index(const QModelIndex& shown) const { return sorted_->mapToSource(shown); }

void ListViewWidget::on_header_clicked(int section) {
    // A column whose order a new layout set aside starts again from ascending.
    if (section != sorted_->sortColumn()) {
        sort_column_ = section;
        sort_order_ = Qt::AscendingOrder;
    } else if (sort_order_ == Qt::AscendingOrder) {
        sort_order_ = Qt::DescendingOrder;
    } else {
        sort_column_ = -1;
    }
    sort_caption_ = sort_column_ >= 0 && sort_column_ < model_.column_count() ? model_.column(sort_column_).caption : "";
    apply_sort();
}

void ListViewWidget::apply_sort() {
    const bool sorted = sort_column_ >= 0 && sort_column_ < model_.column_count() &&
                        model_.column(sort_column_).caption == sort_caption_;
    const int column = sorted ? sort_column_ : -1;
    if (sorted_->sortColumn() != column || sorted_->sortOrder() != sort_order_) sorted_->sort(column, sort_order_);
    header()->setSortIndicator(column, sort_order_);
}

bool ListViewWidget::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QTreeView::viewportEvent(event);
    // The list answers a cell's text as its tooltip, shown only where the column cuts it, and a
    // row's reason (why it has no figures) in its reason column, shown always.
    auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QRect cell = visualRect(index);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = cell;
    const QString tip = index.data(Qt::ToolTipRole).toString();
    const bool reason = index.isValid() && tip != index.data(Qt::DisplayRole).toString();
    if (reason || (index.isValid() && itemDelegateForIndex(index)->sizeHint(option, index).width() > cell.width())) {
        // The text is the web's: shown as it is, never guessed to be markup.
        QToolTip::showText(help->globalPos(), plain_tooltip(tip), viewport(), cell);
    } else {
        QToolTip::hideText();
        event->ignore();
    }
    return true;
}

void ListViewWidget::apply_column_widths() {
    if (applying_widths_) return;
    applying_widths_ = true;
    for (int i = 0; i < model_.column_count(); ++i)
        header()->resizeSection(i, model_.column(i).width + room_of(i));
    applying_widths_ = false;
}

ListViewLook ListViewWidget::look() const {
    ListViewLook look{remembered_widths_, sort_column_, sort_caption_, sort_order_};
    for (const ListColumn& column : model_.columns()) look.widths[column.caption] = column.width;
    return look;
}

void ListViewWidget::set_look(const ListViewLook& look) {
    remembered_widths_ = look.widths;
    for (int i = 0; i < model_.column_count(); ++i) {
        const auto width = remembered_widths_.find(model_.column(i).caption);
        if (width != remembered_widths_.end()) guard_([this, i, &width] { model_.set_column_width(i, width->second); });
    }
    sort_column_ = look.sort_column;
    sort_caption_ = look.sort_caption;
    sort_order_ = look.sort_order;
    apply_sort();
}

void ListViewWidget::show_model_selection() {
    if (syncing_) return;
    const int row = model_.selected();
    const QModelIndexList shown = selectionModel()->selectedRows();
    if (row < 0 ? shown.isEmpty() : shown.size() == 1 && model_index(shown.front()).row() == row) return;
    syncing_ = true;
    if (row < 0)
        selectionModel()->clearSelection();
    else
        selectionModel()->setCurrentIndex(shown_index(model_.index(row, 0)),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    syncing_ = false;
}

void ListViewWidget::take_view_selection() {
    if (syncing_) return;
    const QModelIndexList shown = selectionModel()->selectedRows();
    const int row = shown.isEmpty() ? -1 : model_index(shown.front()).row();
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
