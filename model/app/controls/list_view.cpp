#include "model/app/controls/list_view.h"

#include "model/app/controls/assign_changed.h"
#include "model/app/error_guard.h"

#include <QString>

#include <algorithm>

ListView::ListView(QObject* parent) : QAbstractTableModel(parent) {}

void ListView::add_column(std::string caption, int width) {
    beginResetModel();
    columns_.push_back(ListColumn{std::move(caption), width});
    endResetModel();
    emit columns_changed();
}

void ListView::set_column_width(int index, int width) {
    if (index < 0 || index >= column_count())
        throw AppError("List index out of bounds (" + std::to_string(index) + ")");
    columns_[static_cast<std::size_t>(index)].width = width;
    emit headerDataChanged(Qt::Horizontal, index, index);
    emit columns_changed();
}

void ListView::clear_columns() {
    beginResetModel();
    columns_.clear();
    endResetModel();
    emit columns_changed();
}

int ListView::add_item(ListItem item) {
    if (reader_) reader_(item, columns_);
    return add_row(std::move(item));
}

RowFacts& ListView::facts_to_change(int row) { return rows_->facts(row); }

void ListView::present(ListRows& rows) {
    beginResetModel();
    rows_ = &rows;
    endResetModel();
    set_selected(-1);
}

int ListView::add_row(ListItem item) {
    const int row = item_count();
    beginInsertRows({}, row, row);
    rows_->add(std::move(item));
    endInsertRows();
    return row;
}

void ListView::clear_items() {
    beginResetModel();
    rows_->clear();
    endResetModel();
    set_selected(-1);
}

void ListView::set_item_caption(int row, std::string caption) {
    if (rows_->set_caption(row, std::move(caption))) emit dataChanged(index(row, 0), index(row, 0));
}

void ListView::set_reason(int row, std::optional<NoFiguresReason> reason) {
    if (item(row).facts.reason == reason) return;
    rows_->facts(row).reason = std::move(reason);
    if (reason_column_ >= 0) emit dataChanged(index(row, reason_column_), index(row, reason_column_), {Qt::ToolTipRole});
}

void ListView::set_sub_item(int row, int k, std::string text) {
    if (rows_->set_sub_item(row, k, std::move(text))) emit dataChanged(index(row, k + 1), index(row, k + 1));
}

void ListView::set_item_facts(int row, RowFacts facts) {
    rows_->facts(row) = std::move(facts);
    emit dataChanged(index(row, 0), index(row, std::max(0, column_count() - 1)));
}

void ListView::set_selected(int row) {
    if (row < -1 || row >= item_count()) row = -1;
    if (assign_changed(selected_, row)) emit selection_changed();
}

int ListView::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : item_count();
}

int ListView::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : column_count();
}

QVariant ListView::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= item_count()) return {};
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    const std::string& reason = item(index.row()).facts.reason_text();
    if (role == Qt::ToolTipRole && index.column() == reason_column_ && !reason.empty())
        return QString::fromUtf8(reason.data(), static_cast<qsizetype>(reason.size()));
    const auto& text = index.column() == 0 ? item(index.row()).caption : sub_item(index.row(), index.column() - 1);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant ListView::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= column_count()) return {};
    if (role == Qt::DisplayRole) return QString::fromStdString(column(section).caption);
    return {};
}

void add_list_column(const std::string& caption, int width, ListView& list) {
    list.add_column(caption, width);
}
