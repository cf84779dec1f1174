#pragma once

#include "gui/forum_map_layout.h"
#include "gui/guard.h"

#include <QWidget>

#include <functional>
#include <vector>

class ListView;
class QPainter;

// The rated forums of the results list as points (see forum_map_layout.h). It follows the list
// through its model signals, rebuilding its points at most once per pass of the event loop, so
// rows a research adds in one pass cost one rebuild; a hidden map waits until it is shown. Sorting
// orders only what the list view shows, so the points stay. Hovering a point shows its URL,
// description and figures; a click selects its row in the list, whose selection the map marks;
// a double-click selects the row and runs the list's double-click action. The list outlives
// the map. Event-loop thread only.
class ForumMap : public QWidget {
    Q_OBJECT
public:
    ForumMap(ListView& results, Guard guard, std::function<void()> on_double_click, QWidget* parent = nullptr);

    const std::vector<MapPoint>& points() const { return points_; }
    // Rebuilds the points now instead of at the next pass of the event loop.
    void refresh();

    // Draws the map as its repaint does.
    void draw(QPainter& painter) const;
    // What stands under the date axis at the map's size: the dates of its ticks that fit, or a
    // note while the map has no forum.
    QStringList date_axis_texts() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void schedule_refresh();
    void place();
    int row_at(QPointF at) const;
    QString tooltip_of(int row) const;

    // A tick of the date axis: its line at x, its label (empty where it would overlap) from left.
    struct AxisLabel {
        double x;
        QString text;
        double left;
    };
    std::vector<AxisLabel> date_labels() const;
    void draw_undated_strip(QPainter& painter, const QColor& text) const;
    void draw_average_axis(QPainter& painter, const QColor& text, const QColor& faint) const;
    void draw_date_axis(QPainter& painter, const QColor& text, const QColor& faint) const;
    void draw_points(QPainter& painter, const QColor& text) const;

    ListView& results_;
    Guard guard_;
    std::function<void()> on_double_click_;
    std::vector<MapForum> forums_;
    MapFrame frame_;
    std::vector<MapPoint> points_;
    bool refresh_pending_ = false;
    bool stale_ = false;  // the list changed while the map was hidden
};
