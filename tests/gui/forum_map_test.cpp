#include "model/app/Downloaddemo_U.h"
#include "download/moniker_layer.h"
#include "gui/forum_map.h"
#include "gui/list_view_widget.h"
#include "gui/main_window.h"
#include "tests/gui/window_fixture.h"
#include "tests/support/fixture_web.h"

#include <QApplication>
#include <QDir>
#include <QHelpEvent>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A research against the fixture web in a window whose results share their row with the map.
class ForumMapResearch : public ::testing::Test {
protected:
    ForumMapResearch() {
        FormOptions options;
        options.download_folder = dir_.filePath("pages").toStdString();
        options.debug_file = dir_.filePath("_tmp.htm").toStdString();
        options.timer_interval_ms = 100;
        form_ = std::make_unique<TForm1>(layer_, options);
        window_ = std::make_unique<MainWindow>(*form_);
        window_->set_map_place(MainWindow::MapPlace::Pane);
        window_->resize(1000, 760);
        window_->show();
        QApplication::processEvents();
    }

    bool research() {
        bool over = false;
        QObject::connect(form_.get(), &TForm1::research_over, [&over] { over = true; });
        form_->search_host.set_text(web_.host());
        for (auto [field, value] : {std::pair{&form_->dig_level_ui, "200"}, {&form_->allow_attemps_ui, "2"},
                                    {&form_->timeout_normal, "300"}, {&form_->time_out_advanced, "300"}}) {
            field->set_text(value);
            field->correct_to_limits();
        }
        form_->guarded([this] { form_->Button4.click(); });
        return QTest::qWaitFor([&over] { return over; }, 60000);
    }

    FixtureWeb web_{HttpFixtureServer::Threading::OwnThread};
    QTemporaryDir dir_;
    MonikerLayer layer_;
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace

// The map follows the results of a research, one point per rated forum; a click on a point
// selects its row in the list, which the list shows, and a double-click opens it as the list does.
TEST_F(ForumMapResearch, ShowsEachRatedForumAndAClickSelectsItsRow) {
    // Before any forum is rated the date axis shows no dates of its own making.
    EXPECT_EQ(window_->forum_map()->date_axis_texts(), QStringList{"No rated forum yet"});
    ASSERT_TRUE(research());
    EXPECT_FALSE(window_->forum_map()->date_axis_texts().join(' ').contains("1970"));
    EXPECT_FALSE(window_->forum_map()->date_axis_texts().isEmpty());
    QApplication::processEvents();
    ForumMap* map = window_->forum_map();
    ASSERT_TRUE(map->isVisible());

    int rated = 0;
    for (const auto& forum : fixture_web::forums()) rated += forum.average.empty() ? 0 : 1;
    ASSERT_EQ(static_cast<int>(map->points().size()), rated);

    const MapPoint point = map->points().back();
    click(map, point.center.toPoint());
    EXPECT_EQ(form_->result_list.selected(), point.row);
    const QModelIndexList shown = window_->results_list()->selectionModel()->selectedRows();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(window_->results_list()->model_index(shown.front()).row(), point.row);
    std::string opened;
    form_->open_url = [&opened](const std::string& url) {
        opened = url;
        return true;
    };
    QTest::mouseDClick(map, Qt::LeftButton, {}, map->points().front().center.toPoint());
    EXPECT_EQ(opened, form_->result_list.item(map->points().front().row).caption);

    // A picture of the map with the hovered point's tooltip, for a person to look at (under Xvfb:
    // the tooltip is a window of its own): RAVELMOOT_GUI_SHOTS=<folder>.
    const QString folder = qEnvironmentVariable("RAVELMOOT_GUI_SHOTS");
    if (folder.isEmpty()) return;
    const QPoint at = map->points().front().center.toPoint();
    QHelpEvent hover(QEvent::ToolTip, at, map->mapToGlobal(at));
    QApplication::sendEvent(map, &hover);
    QTest::qWait(300);
    const QRect frame = window_->frameGeometry();
    EXPECT_TRUE(window_->screen()->grabWindow(0, frame.x(), frame.y(), frame.width() + 200, frame.height())
                    .save(QDir(folder).filePath("shot_forum_map.png")));
}
