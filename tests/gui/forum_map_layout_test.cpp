#include "gui/forum_map_layout.h"

#include "model/app/controls/list_view.h"
#include "model/app/list_layouts.h"
#include "model/pipeline/row_texts.h"

#include <gtest/gtest.h>

namespace {

std::vector<MapForum> forums_of(const std::vector<ListColumn>& layout, const std::vector<ListItem>& rows) {
    ListView list;
    list.set_row_reader(read_result_row);
    for (const ListColumn& column : layout) list.add_column(column.caption, column.width);
    for (const ListItem& row : rows) list.add_item(row);
    return rated_forums(list);
}

}  // namespace

TEST(ForumMapLayout, RatedForumsAreTheRowsWithWholeNumberFiguresOfAForumStageList) {
    const std::vector<ListItem> rows = {
        {"http://a.example/", {"A", "Good", "21", "35", "2026-11-30"}},
        {"http://b.example/", {"B", "Fatal", "", "", ""}},
        {"http://c.example/", {"C", "Good", "7", "9", ""}},
        {"http://d.example/", {"D", "Good", "1.5", "2", "2026-11-30"}},
        {"http://e.example/", {"E", "Good", "3", "4", "yesterday"}},
    };
    const auto forums = forums_of(list_layout::results_forum_stage, rows);
    ASSERT_EQ(forums.size(), 3u);
    EXPECT_EQ(forums[0].row, 0);
    EXPECT_TRUE(forums[0].day.has_value());
    EXPECT_EQ(forums[1].row, 2);
    EXPECT_FALSE(forums[1].day.has_value());
    EXPECT_EQ(forums[2].row, 4);
    EXPECT_FALSE(forums[2].day.has_value());
    // The search stage's "Sites on page" is no posts figure.
    EXPECT_TRUE(forums_of(list_layout::results_search_stage, {{"http://a.example/", {"A", "Good", "12"}}}).empty());
}

TEST(ForumMapLayout, NewerIsFurtherRightMoreIsHigherAndBiggerIsLargerAllWithinTheWidget) {
    const QSizeF size(400, 300);
    const std::vector<MapForum> forums = {
        {0, 10, 20, 20000}, {1, 1000, 5000, 20100}, {2, 0, 0, 20050}, {3, 50, 60, std::nullopt}, {4, 50, 60, std::nullopt}};
    const MapFrame frame = map_frame(forums, size);
    const auto points = place_forums(frame, forums);
    ASSERT_EQ(points.size(), forums.size());
    EXPECT_LT(points[0].center.x(), points[2].center.x());
    EXPECT_LT(points[2].center.x(), points[1].center.x());
    EXPECT_GT(points[0].center.y(), points[1].center.y());
    EXPECT_GT(points[2].center.y(), points[0].center.y());
    EXPECT_LT(points[0].radius, points[1].radius);
    EXPECT_LT(points[2].radius, points[0].radius);
    for (int undated : {3, 4}) EXPECT_TRUE(frame.undated.contains(points[undated].center)) << undated;
    EXPECT_NE(points[3].center.x(), points[4].center.x());  // side by side, not one behind the other
    for (const MapPoint& point : points) {
        const QRectF disc(point.center - QPointF(point.radius, point.radius), QSizeF(2 * point.radius, 2 * point.radius));
        EXPECT_TRUE(QRectF(QPointF(0, 0), size).contains(disc)) << point.row;
    }
}

TEST(ForumMapLayout, APositionHitsTheNearestPointUnderItTopmostAmongEquals) {
    const std::vector<MapPoint> points = {{{100, 100}, 10, 0}, {{100, 100}, 10, 1}, {{112, 100}, 10, 2}, {{200, 200}, 1, 3}};
    const struct {
        QPointF at;
        int expected;
    } cases[] = {
        {{100, 100}, 1},  // two on one spot: the one drawn last
        {{108, 100}, 2},  // within both, nearer the third's centre
        {{203, 200}, 3},  // a tiny point is hit a few pixels around
        {{150, 150}, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(point_at(points, c.at), c.expected) << c.at.x() << "," << c.at.y();
}
