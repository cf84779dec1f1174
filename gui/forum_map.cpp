#include "gui/forum_map.h"

#include "model/app/controls/list_view.h"
#include "model/pipeline/pipeline_state.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr int kDayTicks = 5;

QString tick_label(double value) {
    if (value >= 1e6) return QString::number(value / 1e6) + "M";
    if (value >= 1e3) return QString::number(value / 1e3) + "k";
    return QString::number(value);
}

// A disc of that radius, outlined, on a transparent square at the device's pixel ratio.
QImage disc_image(double radius, qreal pixel_ratio, const QColor& fill, const QColor& outline) {
    const int side = static_cast<int>(std::ceil(2 * radius + 2));
    QImage image(QSize(side, side) * pixel_ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixel_ratio);
    image.fill(Qt::transparent);
    QPainter brush(&image);
    brush.setRenderHint(QPainter::Antialiasing);
    brush.setPen(QPen(outline, 1));
    brush.setBrush(fill);
    brush.drawEllipse(QPointF(side / 2.0, side / 2.0), radius, radius);
    return image;
}

}  // namespace

ForumMap::ForumMap(ListView& results, Guard guard, std::function<void()> on_double_click, QWidget* parent)
    : QWidget(parent), results_(results), guard_(std::move(guard)), on_double_click_(std::move(on_double_click)) {
    setObjectName("forum_map");
    setMouseTracking(false);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    const auto later = [this] { schedule_refresh(); };
    connect(&results_, &QAbstractItemModel::rowsInserted, this, later);
    connect(&results_, &QAbstractItemModel::rowsRemoved, this, later);
    connect(&results_, &QAbstractItemModel::dataChanged, this, later);
    connect(&results_, &QAbstractItemModel::modelReset, this, later);
    connect(&results_, &QAbstractItemModel::layoutChanged, this, later);
    connect(&results_, &ListView::columns_changed, this, later);
    connect(&results_, &ListView::selection_changed, this, qOverload<>(&QWidget::update));
    refresh();
}

QSize ForumMap::sizeHint() const { return {320, 200}; }
QSize ForumMap::minimumSizeHint() const { return {160, 80}; }

void ForumMap::schedule_refresh() {
    if (!isVisible()) {
        stale_ = true;
        return;
    }
    if (refresh_pending_) return;
    refresh_pending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (refresh_pending_) refresh();
    });
}

void ForumMap::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_) refresh();
}

void ForumMap::refresh() {
    refresh_pending_ = false;
    stale_ = false;
    forums_ = rated_forums(results_);
    place();
}

void ForumMap::place() {
    frame_ = map_frame(forums_, QSizeF(size()));
    points_ = place_forums(frame_, forums_);
    update();
}

void ForumMap::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place();
}

int ForumMap::row_at(QPointF at) const {
    // A rebuild may be pending: a row the list no longer has is no row.
    const int index = point_at(points_, at);
    if (index < 0) return -1;
    const int row = points_[static_cast<std::size_t>(index)].row;
    return row < results_.item_count() ? row : -1;
}

void ForumMap::mousePressEvent(QMouseEvent* event) {
    const int row = event->button() == Qt::LeftButton ? row_at(event->position()) : -1;
    if (row < 0) return QWidget::mousePressEvent(event);
    guard_([this, row] { results_.set_selected(row); });
}

void ForumMap::mouseDoubleClickEvent(QMouseEvent* event) {
    const int row = event->button() == Qt::LeftButton ? row_at(event->position()) : -1;
    if (row < 0) return QWidget::mouseDoubleClickEvent(event);
    guard_([this, row] {
        results_.set_selected(row);
        if (on_double_click_) on_double_click_();
    });
}

QString ForumMap::tooltip_of(int row) const {
    const auto cell = [this, row](int k) { return QString::fromStdString(results_.sub_item(row, k)); };
    const ListItem& item = results_.item(row);
    QString newest = cell(result_column::NewestPost);
    if (newest.isEmpty()) newest = QStringLiteral("no date shown");
    QStringList lines{QString::fromStdString(item.caption), cell(result_column::Description),
                      QStringLiteral("Posts average %1, max %2").arg(cell(result_column::PostsAverage), cell(result_column::PostsMax)),
                      QStringLiteral("Newest post: ") + newest};
    if (!item.facts.result.figures.engine.empty()) lines << QStringLiteral("Read as ") + QString::fromStdString(item.facts.result.figures.engine);
    // Page texts are the web's: escaped, so that no markup in a description is drawn as markup.
    for (QString& line : lines) line = line.toHtmlEscaped();
    lines[0] = "<b>" + lines[0] + "</b>";
    return "<p style='white-space:pre'>" + lines.join("<br>") + "</p>";
}

bool ForumMap::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const int row = row_at(help->pos());
    if (row < 0) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tooltip_of(row), this);
    }
    return true;
}

void ForumMap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    draw(painter);
}

void ForumMap::draw(QPainter& painter) const {
    const QColor text = palette().color(QPalette::Text);
    QColor faint = text;
    faint.setAlpha(40);
    draw_undated_strip(painter, text);
    draw_average_axis(painter, text, faint);
    draw_date_axis(painter, text, faint);
    draw_points(painter, text);
}

void ForumMap::draw_undated_strip(QPainter& painter, const QColor& text) const {
    // The strip of the forums without a date, labelled at its foot.
    painter.fillRect(frame_.undated, palette().color(QPalette::AlternateBase));
    painter.setPen(text);
    painter.drawText(QRectF(frame_.undated.left(), frame_.plot.bottom() + 2, frame_.undated.width(), fontMetrics().height()),
                     Qt::AlignHCenter | Qt::AlignTop, tr("no date"));
}

void ForumMap::draw_average_axis(QPainter& painter, const QColor& text, const QColor& faint) const {
    // A grid line and a label per power of ten; in a low map a label too close above the last
    // one is left out.
    const QFontMetrics metrics = fontMetrics();
    double free_above = frame_.plot.bottom() + metrics.height();
    for (const double value : average_ticks(frame_)) {
        const double y = average_y(frame_, value);
        painter.setPen(faint);
        painter.drawLine(QPointF(frame_.undated.left(), y), QPointF(frame_.plot.right(), y));
        if (y > free_above) continue;
        free_above = y - metrics.height();
        painter.setPen(text);
        painter.drawText(QRectF(0, y - metrics.height() / 2.0, frame_.undated.left() - 4, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, tick_label(value));
    }
    painter.setPen(text);
    painter.save();
    painter.translate(10, frame_.plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-frame_.plot.height() / 2, -metrics.ascent(), frame_.plot.height(), metrics.height()),
                     Qt::AlignCenter, tr("posts average"));
    painter.restore();
}

std::vector<ForumMap::AxisLabel> ForumMap::date_labels() const {
    // Without a forum the frame's days are no one's: a note stands where the dates would.
    if (forums_.empty()) return {};
    // Newest on the right; labels stay within the plot, clear of the strip's, and one that would
    // overlap its neighbour is left out.
    const QFontMetrics metrics = fontMetrics();
    std::vector<AxisLabel> labels;
    double free_from = frame_.plot.left();
    for (const int day : day_ticks(frame_, kDayTicks)) {
        const double x = day_x(frame_, day);
        const QString label = QString::fromStdString(day_text(day));
        const double width = metrics.horizontalAdvance(label);
        const double left = std::max(frame_.plot.left(), std::min(x - width / 2, frame_.plot.right() - width));
        labels.push_back({x, left < free_from ? QString() : label, left});
        if (left >= free_from) free_from = left + width + 6;
    }
    return labels;
}

QStringList ForumMap::date_axis_texts() const {
    if (forums_.empty()) return {tr("No rated forum yet")};
    QStringList texts;
    for (const AxisLabel& label : date_labels())
        if (!label.text.isEmpty()) texts << label.text;
    return texts;
}

void ForumMap::draw_date_axis(QPainter& painter, const QColor& text, const QColor& faint) const {
    const QFontMetrics metrics = fontMetrics();
    const double baseline = frame_.plot.bottom() + 2 + metrics.ascent();
    for (const AxisLabel& label : date_labels()) {
        painter.setPen(faint);
        painter.drawLine(QPointF(label.x, frame_.plot.top()), QPointF(label.x, frame_.plot.bottom()));
        if (label.text.isEmpty()) continue;
        painter.setPen(text);
        painter.drawText(QPointF(label.left, baseline), label.text);
    }
    painter.setPen(text);
    if (forums_.empty())
        painter.drawText(QRectF(frame_.plot.left(), frame_.plot.bottom() + 2, frame_.plot.width(), metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, date_axis_texts().front());
    painter.drawLine(frame_.plot.bottomLeft(), frame_.plot.bottomRight());
}

void ForumMap::draw_points(QPainter& painter, const QColor& text) const {
    // Each point a copy of a disc drawn once per size (to half a pixel): stroking ten thousand
    // outlines one by one would stall the window.
    QColor fill = palette().color(QPalette::Highlight);
    fill.setAlpha(110);
    QColor outline = fill.darker(150);
    outline.setAlpha(200);
    const qreal pixel_ratio = painter.device()->devicePixelRatioF();
    std::map<int, QImage> discs;
    const auto disc = [&](double radius) -> const QImage& {
        const int half_pixels = static_cast<int>(std::lround(radius * 2));
        auto [at, made] = discs.try_emplace(half_pixels);
        if (made) at->second = disc_image(half_pixels / 2.0, pixel_ratio, fill, outline);
        return at->second;
    };
    const MapPoint* selected = nullptr;
    for (const MapPoint& point : points_) {
        if (point.row == results_.selected()) selected = &point;
        const QImage& image = disc(point.radius);
        const double half = image.width() / pixel_ratio / 2;
        painter.drawImage(point.center - QPointF(half, half), image);
    }
    if (selected) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(text, 2));
        painter.setBrush(QColor(255, 140, 0));
        painter.drawEllipse(selected->center, selected->radius + 1.5, selected->radius + 1.5);
    }
}
