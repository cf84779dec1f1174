#include "gui/list_view_widget.h"
#include "gui/memo_view.h"
#include "tests/gui/window_fixture.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTextBlock>

namespace {

std::string shown_text(MemoView* view) { return view->toPlainText().toStdString(); }

}  // namespace

TEST_F(WindowTest, StatusAndProgressLinesShowEachTick) {
    form_->pipeline.status_text = "Stopped";
    form_->google_list.add_item({"http://a.example/", {"Google page 1", "", "1", "Finished"}});
    form_->google_list.add_item({"http://b.example/", {"Google page 2", "", "0", "Download"}});
    form_->Timer2Timer();
    EXPECT_EQ(find<QLabel>("status_label")->text(), "Stopped");
    EXPECT_EQ(find<QLabel>("Label12")->text(), "1 / 2  (50 % downloaded)");
    // A long status is cut at the window's edge; the window keeps its width.
    form_->pipeline.status_text = std::string(400, 'x');
    form_->Timer2Timer();
    QApplication::processEvents();
    EXPECT_EQ(window_->centralWidget()->width(), 643);

    // The first press switches the scheduler on and keeps "Pause"; the second shows "Continue".
    auto* pause = find<QPushButton>("Button3");
    pause->click();
    EXPECT_EQ(pause->text(), "Pause");
    pause->click();
    EXPECT_EQ(pause->text(), "Continue");
    form_->Button3.set_enabled(false);
    EXPECT_FALSE(pause->isEnabled());
}

TEST_F(WindowTest, RowsAppearAndSelectionStaysInStepBothWays) {
    auto* queue = find<ListViewWidget>("google_list");
    form_->google_list.add_item({"http://a.example/", {"Google page 1", "", "0", "Download"}});
    form_->google_list.add_item({"http://b.example/", {"Google page 2", "", "0", "Download"}});
    form_->google_list.set_sub_item(1, 3, "Finished");
    QApplication::processEvents();
    const QModelIndex cell = queue->shown_index(form_->google_list.index(1, 4));
    EXPECT_EQ(queue->indexAt(queue->visualRect(cell).center()), cell);
    EXPECT_EQ(cell.data().toString(), "Finished");

    queue->selectionModel()->select(queue->shown_index(form_->google_list.index(1, 0)),
                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(form_->google_list.selected(), 1);
    form_->google_list.set_selected(0);
    ASSERT_EQ(queue->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(queue->selectionModel()->selectedRows().front().row(), 0);
    form_->google_list.clear_items();
    EXPECT_TRUE(queue->selectionModel()->selectedRows().isEmpty());
    EXPECT_EQ(form_->google_list.selected(), -1);
}

TEST_F(WindowTest, LogAndDownloadingNowFollowLineByLine) {
    auto* log = find<MemoView>("memo1");
    auto* now = find<MemoView>("download_list");
    EXPECT_EQ(shown_text(now), "download_list");
    EXPECT_TRUE(now->isReadOnly());

    form_->memo1.add_line("first");
    form_->memo1.add_line("");
    form_->memo1.add_line("third\nline");  // one model line stays one shown line
    EXPECT_EQ(shown_text(log), "first\n\nthird line");
    form_->memo1.clear();
    EXPECT_EQ(shown_text(log), "");
    form_->memo1.add_line("again");
    EXPECT_EQ(shown_text(log), "again");

    form_->download_list.clear();
    for (const char* url : {"http://a/", "http://b/", "http://c/", "http://d/"}) form_->download_list.add_line(url);
    form_->remove_download_line(0);
    EXPECT_EQ(shown_text(now), "http://b/\nhttp://c/\nhttp://d/");
    form_->remove_download_line(2);
    EXPECT_EQ(shown_text(now), "http://b/\nhttp://c/");
    form_->remove_download_line(1);
    form_->remove_download_line(0);
    EXPECT_EQ(shown_text(now), "");
    EXPECT_EQ(now->shown_lines(), 0);
    form_->download_list.add_line("");
    form_->download_list.add_line("http://e/");
    EXPECT_EQ(shown_text(now), "\nhttp://e/");
    form_->download_list.set_lines({"x", "y"});
    EXPECT_EQ(shown_text(now), "x\ny");
}

TEST_F(WindowTest, LongLogGrowsByAppendingOnly) {
    auto* log = find<MemoView>("memo1");
    form_->memo1.add_line("line 0");
    int rewrites = 0;
    QObject::connect(log->document(), &QTextDocument::contentsChange, [&](int position, int removed, int) {
        if (position == 0 || removed > 0) ++rewrites;
    });
    for (int i = 1; i < 5000; ++i) form_->memo1.add_line("line " + std::to_string(i));
    EXPECT_EQ(log->document()->blockCount(), 5000);
    EXPECT_EQ(log->document()->findBlockByNumber(4999).text(), "line 4999");
    EXPECT_EQ(rewrites, 0);
}

TEST(ListViewWidget, DoubleClickSelectsTheRowThenRunsTheAction) {
    ListView list;
    list.add_column("URL", 120);
    list.add_item({"http://a.example/", {}});
    list.add_item({"http://b.example/", {}});
    std::vector<int> opened;
    ListViewWidget view(list, "list", [](const std::function<void()>& action) { action(); },
                        [&] { opened.push_back(list.selected()); }, nullptr);
    view.resize(300, 200);
    view.show();
    QApplication::processEvents();

    const QPoint at = view.visualRect(view.shown_index(list.index(1, 0))).center();
    send_mouse(view.viewport(), QEvent::MouseButtonPress, at);
    send_mouse(view.viewport(), QEvent::MouseButtonRelease, at);
    send_mouse(view.viewport(), QEvent::MouseButtonDblClick, at);
    send_mouse(view.viewport(), QEvent::MouseButtonRelease, at);
    EXPECT_EQ(opened, std::vector<int>{1});
    EXPECT_EQ(view.context_menu(), nullptr);
}

TEST(ListViewWidget, ContextMenuHoldsTheItemsInOrderAndRunsThemGuarded) {
    ListView list;
    std::vector<std::string> ran;
    PopupMenu menu;
    menu.items = {{"Save1", "Save List", [&] { ran.push_back("save"); }},
                  {"OpenList2", "Open List", [&] { throw AppError("File not found"); }}};
    std::vector<std::string> errors;
    const Guard guard = [&](const std::function<void()>& action) {
        run_guarded([&](const std::string& message) { errors.push_back(message); }, action);
    };
    ListViewWidget view(list, "list", guard, nullptr, &menu);
    ASSERT_NE(view.context_menu(), nullptr);
    const auto actions = view.context_menu()->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->text(), "Save List");
    EXPECT_EQ(actions[1]->text(), "Open List");
    actions[0]->trigger();
    actions[1]->trigger();
    EXPECT_EQ(ran, std::vector<std::string>{"save"});
    EXPECT_EQ(errors, std::vector<std::string>{"File not found"});
}

TEST_F(WindowTest, BothListsOfferTheirOwnMenus) {
    const auto captions = [](ListViewWidget* view) {
        std::vector<std::string> texts;
        for (QAction* action : view->context_menu()->actions()) texts.push_back(action->text().toStdString());
        return texts;
    };
    EXPECT_EQ(captions(find<ListViewWidget>("google_list")), (std::vector<std::string>{"Open list", "Save list"}));
    EXPECT_EQ(captions(find<ListViewWidget>("result_list")), (std::vector<std::string>{"Save List", "Open List"}));
}
