#include "gui/list_sort_proxy.h"

#include "analysis/number_text.h"

#include <optional>

namespace {

std::optional<std::int32_t> cell_number(const QString& text) {
    // Longer than any 32-bit number ("-2147483648"): not one, and not worth converting.
    constexpr qsizetype kLongestNumber = 11;
    if (text.isEmpty() || text.size() > kLongestNumber) return std::nullopt;
    return parse_int_strict(text.toStdString());
}

}  // namespace

ListSortProxy::ListSortProxy(QObject* parent) : QSortFilterProxyModel(parent) { setDynamicSortFilter(true); }

bool ListSortProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QString a = left.data(Qt::DisplayRole).toString();
    const QString b = right.data(Qt::DisplayRole).toString();
    // Descending order asks with the cells swapped; answer so that filled cells lead either way,
    // and among them numbers.
    if (a.isEmpty() != b.isEmpty()) return (sortOrder() == Qt::AscendingOrder) == !a.isEmpty();
    const bool a_number = cell_number(a).has_value();
    if (a_number != cell_number(b).has_value()) return (sortOrder() == Qt::AscendingOrder) == a_number;
    return compare_cells(a, b) < 0;
}

int compare_cells(const QString& a, const QString& b) {
    const auto x = cell_number(a);
    const auto y = cell_number(b);
    if (x && y) return *x < *y ? -1 : (*x > *y ? 1 : 0);
    if (x || y) return x ? -1 : 1;
    return QString::compare(a, b, Qt::CaseInsensitive);
}
