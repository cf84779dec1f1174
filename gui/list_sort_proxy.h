#pragma once

#include <QSortFilterProxyModel>

// Orders what a list view shows without touching the list: the model's rows, the pipeline's
// look-ups and the saved files keep the research's order. Cells that both read as whole
// numbers compare as numbers; other texts compare ignoring letter case; in either direction
// numbers come before other text and empty cells come last, so forums without figures or dates
// stay at the end; dates ("YYYY-MM-DD") sort as their text does, by date. Equal cells keep
// the research's order. Sorting by column -1 shows that order again. The order follows new and
// changed rows live. Event-loop thread only.
class ListSortProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit ListSortProxy(QObject* parent = nullptr);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

// <0, 0 or >0 as a comes before, with or after b in ascending order.
int compare_cells(const QString& a, const QString& b);
