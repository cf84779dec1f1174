#include "model/app/list_layouts.h"
#include "model/console/list_file.h"
#include "gui/forum_map.h"
#include "gui/list_view_widget.h"
#include "tests/gui/window_fixture.h"

#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>

namespace {

std::vector<std::string> shown_urls(ListViewWidget* view) {
    std::vector<std::string> urls;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        urls.push_back(view->model()->index(r, 0).data().toString().toStdString());
    return urls;
}

void click_header(ListViewWidget* view, int section) {
    QHeaderView* header = view->header();
    const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2, header->height() / 2);
    click(header->viewport(), at);
}

std::string file_text(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
}

}  // namespace

TEST_F(WindowTest, HeaderClicksSortTheViewOnlyAndAThirdClickGivesTheResearchOrderBack) {
    auto& results = form_->result_list;
    apply_list_layout(results, list_layout::results_forum_stage);
    // Research order; averages that sort differently as text and as numbers, and Fatal rows without
    // figures or dates.
    results.add_item({"http://c/", {"Gamma", "Good", "9", "30", "2018-03-10"}});
    results.add_item({"http://a/", {"alpha", "Fatal", "", "", ""}});
    results.add_item({"http://d/", {"Delta", "Good", "100", "200", "2017-12-31"}});
    results.add_item({"http://b/", {"Beta", "Good", "20", "25", "2018-03-09"}});
    const std::string saved_before = list_file_text(results);
    auto* view = find<ListViewWidget>("result_list");
    const std::vector<std::string> research_order{"http://c/", "http://a/", "http://d/", "http://b/"};

    struct Click {
        int column;
        std::vector<std::string> shown;
    };
    const Click clicks[] = {
        {3, {"http://c/", "http://b/", "http://d/", "http://a/"}},  // "Post averag" as numbers, empty last
        {3, {"http://d/", "http://b/", "http://c/", "http://a/"}},  // reversed, empty still last
        {3, research_order},                                        // third click
        {5, {"http://d/", "http://b/", "http://c/", "http://a/"}},  // "Newest post" by date, empty last
        {5, {"http://c/", "http://b/", "http://d/", "http://a/"}},  // newest first, empty still last
        {1, {"http://a/", "http://b/", "http://d/", "http://c/"}},  // "Description" ignoring case
        {0, {"http://a/", "http://b/", "http://c/", "http://d/"}},  // another column starts ascending
    };
    for (const Click& step : clicks) {
        click_header(view, step.column);
        EXPECT_EQ(shown_urls(view), step.shown) << "column " << step.column;
    }

    // A layout laid out anew with the same caption in that place keeps the order.
    apply_list_layout(results, list_layout::results_forum_stage);
    EXPECT_EQ(view->header()->sortIndicatorSection(), 0);
    EXPECT_EQ(shown_urls(view), std::rbegin(clicks)->shown);

    // A new row takes its place in the sorted view at once; the model keeps it last.
    results.add_item({"http://bb/", {"Bee", "Good", "1", "1"}});
    EXPECT_EQ(shown_urls(view), (std::vector<std::string>{"http://a/", "http://b/", "http://bb/", "http://c/", "http://d/"}));
    EXPECT_EQ(results.item(4).caption, "http://bb/");

    // Selecting a shown row selects that forum in the model; saving writes the research's order.
    view->selectionModel()->select(view->model()->index(0, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(results.selected(), 1);
    const QString path = dir_.filePath("sorted.txt");
    save_list_file(path.toStdString(), results);
    EXPECT_EQ(file_text(path), saved_before + "http://bb/\tBee\tGood\t1\t1\t\t\r\n");
}

TEST_F(WindowTest, AtDesignSizeTheLayoutIsTheDesignsAndAGrownWindowGivesTheRoomToTheListsAndTheLog) {
    const char* fixed[] = {"PageControl2", "request_ui", "Button4", "Button1", "Label12", "query_progress"};
    const char* growing[] = {"result_list", "google_list", "memo1", "download_list"};
    const auto geometry = [this](const char* name) {
        QWidget* widget = find<QWidget>(name);
        return QRect(widget->mapTo(window_.get(), QPoint(0, 0)), widget->size());
    };
    std::map<std::string, QRect> design;
    for (const char* name : fixed) design[name] = geometry(name);
    for (const char* name : growing) design[name] = geometry(name);
    auto* results = find<ListViewWidget>("result_list");
    EXPECT_EQ(results->header()->sectionSize(0), 150);

    // The menu bar stands above the client area, whose size the design gives.
    const int menu = window_->height() - window_->centralWidget()->height();
    window_->resize(643 + 400, 453 + 200 + menu);
    QApplication::processEvents();
    for (const char* name : fixed) {
        const QRect now = geometry(name);
        EXPECT_EQ(now.topLeft(), design[name].topLeft()) << name;
        EXPECT_EQ(now.height(), design[name].height()) << name;
        if (std::string(name) != "PageControl2") {
            EXPECT_EQ(now.width(), design[name].width()) << name;
        }
    }
    for (const char* name : growing) {
        EXPECT_GT(geometry(name).width(), design[name].width()) << name;
        EXPECT_GT(geometry(name).height(), design[name].height()) << name;
    }
    EXPECT_EQ(geometry("result_list").width() - design["result_list"].width(), 400);
    EXPECT_EQ(geometry("result_list").height() - design["result_list"].height(), 100);
    // URL and Description share the new width; the list's own widths stay, also in its file.
    EXPECT_EQ(results->header()->sectionSize(0), 150 + 200);
    EXPECT_EQ(results->header()->sectionSize(1), 200 + 200);
    EXPECT_EQ(results->header()->sectionSize(2), 100);
    EXPECT_EQ(list_file_text(form_->result_list),
              "URL\tDescription\tPosts average\tPosts max\tResult\t\r\n150\t200\t100\t100\t50\t\r\n");

    window_->resize(643, 453 + menu);
    QApplication::processEvents();
    for (const auto& [name, rect] : design) EXPECT_EQ(geometry(name.c_str()), rect) << name;
    EXPECT_EQ(results->header()->sectionSize(0), 150);
    EXPECT_EQ(results->header()->sectionSize(1), 200);
}

TEST_F(WindowTest, ATooltipShowsACellsWholeTextOnlyWhereTheColumnCutsIt) {
    const std::string long_url = "http://forums.example.org/a/very/long/path/to/the/forum/index.php";
    form_->google_list.add_item({long_url, {"Forum", "", "0", "Download"}});
    auto* view = find<ListViewWidget>("google_list");
    // A hidden tooltip lingers a moment: ask for the short cell first.
    const auto hover = [view](int column) {
        const QRect cell = view->visualRect(view->model()->index(0, column));
        QHelpEvent event(QEvent::ToolTip, cell.center(), view->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(view->viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text().toStdString() : std::string();
    };
    EXPECT_EQ(hover(1), "");  // "Forum" fits its column
    EXPECT_EQ(hover(0), long_url);
    // Why a forum gave no figures shows on its "Result" cell, which its text fits.
    form_->google_list.set_reason(0, no_figures_reason(ReasonKind::HostNotFound));
    EXPECT_EQ(hover(4), "host not found");
}

// Text from the web that looks like markup is shown as the text it is, in every tooltip.
TEST_F(WindowTest, TooltipsShowMarkupFromTheWebAsPlainText) {
    const std::string description = "<b>Best</b> forum <img src=x> on home brewing, cider, mead and more";
    const QString shown = "&lt;b&gt;Best&lt;/b&gt; forum &lt;img src=x&gt;";
    form_->result_list.add_item({"http://a.example/", {description, "Good", "1", "2", ""}});
    auto* view = find<ListViewWidget>("result_list");
    const QRect cell = view->visualRect(view->model()->index(0, 1));
    QHelpEvent event(QEvent::ToolTip, cell.center(), view->viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(view->viewport(), &event);
    EXPECT_TRUE(QToolTip::text().contains(shown)) << QToolTip::text().toStdString();

    form_->pipeline.status_text = "Could not open " + description;
    form_->Timer2Timer();
    EXPECT_TRUE(find<QLabel>("status_label")->toolTip().contains(shown)) << find<QLabel>("status_label")->toolTip().toStdString();

    window_->set_map_place(MainWindow::MapPlace::Pane);
    apply_list_layout(form_->result_list, list_layout::results_forum_stage);
    form_->result_list.clear_items();
    form_->result_list.add_item({"http://a.example/", {description, "Good", "21", "35", "2024-05-01"}});
    ForumMap* map = window_->forum_map();
    map->refresh();
    ASSERT_EQ(map->points().size(), 1u);
    const QPoint at = map->points().front().center.toPoint();
    QHelpEvent hover(QEvent::ToolTip, at, map->mapToGlobal(at));
    QApplication::sendEvent(map, &hover);
    EXPECT_TRUE(QToolTip::text().contains(shown)) << QToolTip::text().toStdString();
}

TEST_F(WindowTest, TheResultCellOfAForumWithoutFiguresSaysWhy) {
    apply_list_layout(form_->result_list, list_layout::results_forum_stage);
    form_->result_list.add_item({"http://a.example/", {"A", "Fatal", "", "", ""}});
    form_->result_list.set_reason(0, bot_check_reason("Cloudflare"));
    auto* view = find<ListViewWidget>("result_list");
    const QRect cell = view->visualRect(view->model()->index(0, 2));
    QHelpEvent event(QEvent::ToolTip, cell.center(), view->viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(view->viewport(), &event);
    EXPECT_EQ(QToolTip::text().toStdString(), "bot check (Cloudflare); try another user agent");
}

TEST_F(WindowTest, EnterInTheKeywordFieldAndTheListKeysRunTheirCommands) {
    std::vector<std::string> ran;
    form_->Button4.on_click = [&] { ran.push_back("search"); };
    auto* keyword = find<QLineEdit>("request_ui");
    keyword->setFocus();
    QTest::keyClick(keyword, Qt::Key_Return);
    form_->Button4.set_enabled(false);
    QTest::keyClick(keyword, Qt::Key_Return);  // as a disabled button would, it does nothing
    EXPECT_EQ(ran, std::vector<std::string>{"search"});

    // The list keys act on the list that has the keyboard, with its own menu's commands; the
    // dialog each command opens is answered "cancel".
    std::vector<std::string> dialogs;
    for (FileDialog* dialog : {&form_->OpenDialog1, &form_->SaveDialog1})
        dialog->runner = [&dialogs](const FileDialog& shown) {
            dialogs.push_back(shown.title());
            return std::optional<std::string>();
        };
    for (auto [name, key, item, title] :
         {std::tuple{"result_list", Qt::Key_S, "Save1", "Save list dialog"},
          {"result_list", Qt::Key_O, "OpenList2", "Open list dialog"},
          {"google_list", Qt::Key_S, "Savelist1", "Save list dialog"},
          {"google_list", Qt::Key_O, "Openlist1", "Open list dialog"}}) {
        auto* view = find<ListViewWidget>(name);
        QAction* action = view->context_menu()->findChild<QAction*>(item);
        ASSERT_NE(action, nullptr) << item;
        int triggered = 0;
        const auto connection = QObject::connect(action, &QAction::triggered, [&] { ++triggered; });
        dialogs.clear();
        view->setFocus();
        QTest::keyClick(view, key, Qt::ControlModifier);
        EXPECT_EQ(triggered, 1) << name << " " << item;
        EXPECT_EQ(dialogs, std::vector<std::string>{title}) << name << " " << item;
        QObject::disconnect(connection);
    }
}

TEST_F(WindowTest, TheProgressBarShowsTheProgressLinesNumbersAndTheWindowItsIcon) {
    for (int r = 0; r < 8; ++r)
        form_->google_list.add_item({"http://" + std::to_string(r) + "/", {"", "", "1", r < 3 ? "Finished" : "Download"}});
    form_->Timer2Timer();
    auto* bar = find<QProgressBar>("query_progress");
    EXPECT_EQ(find<QLabel>("Label12")->text(), "3 / 8  (37 % downloaded)");
    EXPECT_EQ(bar->value(), 3);
    EXPECT_EQ(bar->maximum(), 8);
    form_->google_list.clear_items();
    form_->Timer2Timer();
    EXPECT_EQ(find<QLabel>("Label12")->text(), "...");
    EXPECT_EQ(bar->value(), 0);
    EXPECT_GT(bar->maximum(), 0);  // an empty queue is not shown as busy

    EXPECT_FALSE(window_->windowIcon().pixmap(48).isNull());
}
