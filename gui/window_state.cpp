#include "gui/window_state.h"

#include "gui/list_view_widget.h"
#include "gui/main_window.h"

#include <QSettings>
#include <QSplitter>

#include <algorithm>

namespace {

constexpr const char* kFrame = "window/geometry";
constexpr const char* kMaximized = "window/maximized";
constexpr const char* kMapPlace = "window/map_place";
constexpr const char* kSplitter = "window/results_splitter";
// A list's own width is what its column shows less the share of a grown window, and can fall
// below nothing when a column is narrowed in a large window: brought back within these bounds,
// so that no column comes back hidden or absurdly wide.
constexpr int kNarrowestColumn = 8;
constexpr int kWidestColumn = 4000;

struct ListKeys {
    ListViewWidget* (MainWindow::*list)() const;
    const char* group;
};
constexpr ListKeys kLists[] = {{&MainWindow::results_list, "results_list"}, {&MainWindow::queue_list, "queue_list"}};

QString key(const char* group, const char* name) { return QStringLiteral("window/%1/%2").arg(group, name); }

void save_look(const ListViewLook& look, const char* group, QSettings& settings) {
    QVariantMap widths;
    for (const auto& [caption, width] : look.widths) widths.insert(QString::fromStdString(caption), width);
    settings.setValue(key(group, "widths"), widths);
    settings.setValue(key(group, "sort_column"), look.sort_column);
    settings.setValue(key(group, "sort_caption"), QString::fromStdString(look.sort_caption));
    settings.setValue(key(group, "sort_descending"), look.sort_order == Qt::DescendingOrder);
}

ListViewLook read_look(const char* group, const QSettings& settings) {
    ListViewLook look;
    const QVariantMap widths = settings.value(key(group, "widths")).toMap();
    for (auto it = widths.begin(); it != widths.end(); ++it) {
        bool number = false;
        const int width = it.value().toInt(&number);
        if (number) look.widths[it.key().toStdString()] = std::clamp(width, kNarrowestColumn, kWidestColumn);
    }
    look.sort_column = settings.value(key(group, "sort_column"), -1).toInt();
    look.sort_caption = settings.value(key(group, "sort_caption")).toString().toStdString();
    look.sort_order = settings.value(key(group, "sort_descending")).toBool() ? Qt::DescendingOrder : Qt::AscendingOrder;
    return look;
}

}  // namespace

bool fits_a_screen(QRect frame, const QList<QRect>& screens) {
    if (!frame.isValid()) return false;
    const qint64 area = qint64(frame.width()) * frame.height();
    return std::any_of(screens.begin(), screens.end(), [&](const QRect& screen) {
        const QRect shared = frame.intersected(screen);
        return frame.width() <= screen.width() && frame.height() <= screen.height() &&
               2 * qint64(shared.width()) * shared.height() >= area;
    });
}

void restore_window_state(MainWindow& window, const QSettings& settings, const QList<QRect>& screens) {
    const int place = settings.value(kMapPlace, 0).toInt();
    if (place >= 0 && place <= static_cast<int>(MainWindow::MapPlace::Pane))
        window.set_map_place(static_cast<MainWindow::MapPlace>(place));
    if (QSplitter* panes = window.results_splitter()) panes->restoreState(settings.value(kSplitter).toByteArray());
    for (const ListKeys& list : kLists) (window.*list.list)()->set_look(read_look(list.group, settings));

    const QRect frame = settings.value(kFrame).toRect();
    if (fits_a_screen(frame, screens)) {
        window.resize(frame.size());
        window.move(frame.topLeft());
    }
    if (settings.value(kMaximized).toBool()) window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void save_window_state(const MainWindow& window, QSettings& settings) {
    // The frame the window has when not maximised, so that it comes back to it when restored.
    const QRect normal = window.normalGeometry();
    settings.setValue(kFrame, QRect(window.isMaximized() ? normal.topLeft() : window.pos(), normal.size()));
    settings.setValue(kMaximized, window.isMaximized());
    settings.setValue(kMapPlace, static_cast<int>(window.map_place()));
    if (const QSplitter* panes = window.results_splitter()) settings.setValue(kSplitter, panes->saveState());
    for (const ListKeys& list : kLists) save_look((window.*list.list)()->look(), list.group, settings);
    settings.sync();
}
