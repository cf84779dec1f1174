#pragma once

#include "model/app/controls/list_rows.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ListColumn {
    std::string caption;
    int width = 50;
};

// The model of a report-style list view: its columns, and the rows it presents, which it holds
// itself or which another owner holds (present). Owned by the window model; used on the
// event-loop thread only. Views follow it through the QAbstractItemModel signals.
class ListView : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListView(QObject* parent = nullptr);

    // Columns
    int column_count() const { return static_cast<int>(columns_.size()); }
    const ListColumn& column(int index) const { return columns_.at(static_cast<std::size_t>(index)); }
    const std::vector<ListColumn>& columns() const { return columns_; }
    void add_column(std::string caption, int width = 50);
    // Raises AppError "List index out of bounds (%d)" for an index that is not a column.
    void set_column_width(int index, int width);
    void clear_columns();

    // Rows
    // Presents rows that another owner holds (the research's state) instead of its own; they
    // must outlive the list, and change only through it from here on.
    void present(ListRows& rows);
    const ListRows& rows() const { return *rows_; }
    int item_count() const { return rows_->count(); }
    const ListItem& item(int row) const { return rows_->item(row); }
    const std::vector<ListItem>& items() const { return rows_->items(); }
    // A row given as text (a list file's): where the list has a row reader, the values behind
    // its cells are taken from their texts here, once; other facts the item brings stay.
    int add_item(ListItem item);
    // A row whose cells the caller presented from its facts: nothing is read from its texts.
    int add_row(ListItem item);
    // Reads the values of a row given as text; the list's columns tell what each cell is.
    using RowReader = void (*)(ListItem& item, const std::vector<ListColumn>& columns);
    void set_row_reader(RowReader reader) { reader_ = reader; }
    // The row's values, to change in place; the caller writes the cells that present them.
    RowFacts& facts_to_change(int row);
    void clear_items();
    void set_item_caption(int row, std::string caption);
    // Sub-item k of the row, or an empty text when the row has fewer sub-items.
    const std::string& sub_item(int row, int k) const { return rows_->sub_item(row, k); }
    bool has_sub_item(int row, int k) const { return rows_->has_sub_item(row, k); }
    // Writes sub-item k, first padding the row with empty sub-items when it has fewer.
    void set_sub_item(int row, int k, std::string text);
    // Replaces what the research knows of the row beyond its columns; every column may show it.
    void set_item_facts(int row, RowFacts facts);
    // The first row whose caption equals text exactly (case-sensitive), or -1.
    int find_caption(std::string_view text) const { return rows_->find_caption(text); }
    // Why the row has no figures (its facts' reason); shown as the tooltip of the reason column.
    void set_reason(int row, std::optional<NoFiguresReason> reason);
    // The column whose tooltip is a row's reason, where the row has one; -1 (the initial value)
    // for none. Every other cell's tooltip is its text.
    void set_reason_column(int column) { reason_column_ = column; }

    // Selection (the first selected row), -1 for none.
    int selected() const { return selected_; }
    void set_selected(int row);

    // Grows with every change of the rows; lets a reader notice changes made behind its back.
    std::uint64_t revision() const { return rows_->revision(); }

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void columns_changed();
    void selection_changed();

private:
    std::vector<ListColumn> columns_;
    ListRows own_rows_;
    ListRows* rows_ = &own_rows_;
    int selected_ = -1;
    int reason_column_ = -1;
    RowReader reader_ = nullptr;
};

// Appends one column at the end of the list with that caption and width; touches nothing else.
void add_list_column(const std::string& caption, int width, ListView& list);
