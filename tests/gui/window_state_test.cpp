#include "gui/window_state.h"

#include "gui/list_view_widget.h"
#include "tests/gui/window_fixture.h"

#include <QHeaderView>
#include <QSettings>

namespace {

const QList<QRect> kScreens = {QRect(0, 0, 1920, 1080)};

}  // namespace

// Closed and started again, the window has the size, map place, column widths and sort it had.
TEST_F(WindowTest, ComesBackAsItWasLeft) {
    QSettings settings(dir_.filePath("ravelmoot.conf"), QSettings::IniFormat);
    window_->set_map_place(MainWindow::MapPlace::Tab);
    window_->resize(900, 640);
    QApplication::processEvents();
    auto* results = window_->results_list();
    results->header()->resizeSection(1, 260);  // as the person drags it
    window_->queue_list()->header()->resizeSection(0, 300);
    results->header()->sectionClicked(3);
    results->header()->sectionClicked(3);  // descending
    save_window_state(*window_, settings);

    window_.reset();
    form_ = std::make_unique<TForm1>(layer_);
    window_ = std::make_unique<MainWindow>(*form_);
    restore_window_state(*window_, settings, kScreens);
    window_->show();
    QApplication::processEvents();

    EXPECT_EQ(window_->size(), QSize(900, 640));
    EXPECT_EQ(window_->map_place(), MainWindow::MapPlace::Tab);
    EXPECT_EQ(window_->results_list()->header()->sectionSize(1), 260);
    EXPECT_EQ(window_->queue_list()->header()->sectionSize(0), 300);
    EXPECT_EQ(window_->results_list()->header()->sortIndicatorSection(), 3);
    EXPECT_EQ(window_->results_list()->header()->sortIndicatorOrder(), Qt::DescendingOrder);
}

TEST(WindowState, ASavedFrameIsUsedOnlyWhereAScreenHoldsIt) {
    const QList<QRect> two = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const struct {
        QRect frame;
        bool fits;
    } cases[] = {
        {QRect(100, 100, 800, 600), true},
        {QRect(2000, 100, 800, 600), true},     // on the second screen
        {QRect(1500, 100, 800, 600), true},     // across both, mostly on the first
        {QRect(3000, 100, 800, 600), false},    // mostly beyond the second
        {QRect(-5000, -5000, 800, 600), false}, // a screen that is gone
        {QRect(0, 0, 2500, 900), false},        // wider than any screen
        {QRect(), false},
    };
    for (const auto& c : cases) EXPECT_EQ(fits_a_screen(c.frame, two), c.fits) << c.frame.x() << "," << c.frame.width();
}
