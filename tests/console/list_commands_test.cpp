#include "model/app/Downloaddemo_U.h"
#include "model/console/list_file.h"
#include "model/console/url_opening.h"
#include "download/moniker_layer.h"
#include "tests/console/console_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace {

class ListCommands : public ::testing::Test {
protected:
    ListCommands() : form(layer, options()) {
        form.error_sink = [this](const std::string& message) { errors.push_back(message); };
        form.open_url = [this](const std::string& url) {
            opened.push_back(url);
            return desktop_opens;
        };
    }

    FormOptions options() {
        FormOptions opt;
        opt.download_folder = dir.path().toStdString() + "/pages/";
        opt.debug_file = temp_path(dir, "test/_tmp.htm");
        return opt;
    }

    std::string path(const char* name) const { return temp_path(dir, name); }

    // The dialog answers with the next of these names (nullopt: the user cancels) and records
    // what the dialog offered.
    void answer(FileDialog& dialog, std::vector<std::optional<std::string>> names) {
        dialog.runner = [this, names, next = std::size_t{0}](const FileDialog& shown) mutable {
            offered.push_back(shown.file_name());
            titles.push_back(shown.title());
            return next < names.size() ? names[next++] : std::nullopt;
        };
    }

    // Runs a handler the way the window does: under the guard.
    void run(void (TForm1::*handler)()) { form.guarded([&] { (form.*handler)(); }); }

    QTemporaryDir dir;
    MonikerLayer layer;
    TForm1 form;
    std::vector<std::string> errors, opened, offered, titles;
    bool desktop_opens = true;
};

void add_forum_results(ListView& results) {
    apply_list_layout(results, {{"URL", 100}, {"Description", 100}, {"Result", 100}, {"Post averag", 100}, {"Posts max", 100}});
    results.add_item({"http://a.example/index.php", {"A forum", "Good", "21", "35"}});
    results.add_item({"http://b.example/index.php", {"B forum", "Fatal"}});
}

TEST_F(ListCommands, DialogsAreSetUpAsTheUserExpects) {
    for (const FileDialog* dialog : {&form.OpenDialog1, &form.SaveDialog1}) {
        ASSERT_EQ(dialog->filters().size(), 2u);
        EXPECT_EQ(dialog->filters()[0].name, "List files (*.txt)");
        EXPECT_EQ(dialog->filters()[0].pattern, "*.txt");
        EXPECT_EQ(dialog->filters()[1].name, "All Files (*.*)");
        EXPECT_EQ(dialog->filters()[1].pattern, "*.*");
        EXPECT_EQ(dialog->filter_index(), 0);
        EXPECT_EQ(dialog->default_ext(), "txt");
    }
    EXPECT_EQ(form.OpenDialog1.title(), "Open list dialog");
    EXPECT_EQ(form.SaveDialog1.title(), "Save list dialog");

    ASSERT_EQ(form.PopupMenu1.items.size(), 2u);
    EXPECT_EQ(form.PopupMenu1.items[0].caption, "Open list");
    EXPECT_EQ(form.PopupMenu1.items[1].caption, "Save list");
    ASSERT_EQ(form.PopupMenu2.items.size(), 2u);
    EXPECT_EQ(form.PopupMenu2.items[0].caption, "Save List");
    EXPECT_EQ(form.PopupMenu2.items[1].caption, "Open List");
}

TEST_F(ListCommands, AResultsFileLoadsIntoTheQueue) {
    add_forum_results(form.result_list);
    answer(form.SaveDialog1, {path("results")});
    answer(form.OpenDialog1, {path("results.txt")});

    form.PopupMenu2.items[0].on_click();  // "Save List": the typed name gains ".txt"
    EXPECT_EQ(form.SaveDialog1.file_name(), path("results.txt"));
    form.PopupMenu1.items[0].on_click();  // "Open list" into the queue

    EXPECT_TRUE(errors.empty());
    ASSERT_EQ(form.google_list.column_count(), 5);
    EXPECT_EQ(form.google_list.column(3).caption, "Post averag");
    EXPECT_EQ(form.google_list.column(3).width, 100);
    ASSERT_EQ(form.google_list.item_count(), 2);
    EXPECT_EQ(form.google_list.item(0).sub_items, (std::vector<std::string>{"A forum", "Good", "21", "35"}));
    EXPECT_EQ(form.google_list.item(1).sub_items, (std::vector<std::string>{"B forum", "Fatal", "", ""}));
}

TEST_F(ListCommands, ListFilesKeepTheirTextsAndGiveTheirValuesOnce) {
    const std::string queue = "URL\tDescription\tStatus\tAttemps\tResult\t\r\n150\t200\t100\t50\t50\t\r\n"
                              "http://a.example/\td\t\t2\tRedownload\t\r\n"
                              "http://b.example/\td\t\tmany\tFinished\t\r\n"
                              "http://c.example/\td\t\t\t\t\r\n"
                              "http://d.example/\td\t\t-3\tWaiting\t\r\n";
    const std::string results = "URL\tDescription\tResult\tPost averag\tPosts max\tNewest post\t\r\n"
                                "100\t100\t100\t100\t100\t100\t\r\n"
                                "http://a.example/\td\tGood\t21\t35\t2018-03-20\t\r\n"
                                "http://b.example/\td\tFatal\t\t\tsoon\t\r\n";
    for (auto [bytes, list] : {std::pair{queue, &form.google_list}, std::pair{results, &form.result_list}}) {
        load_list_text(bytes, *list);
        EXPECT_EQ(list_file_text(*list), bytes);
    }
    const std::vector<std::pair<int, RowState>> values = {
        {2, RowState::Redownload}, {0, RowState::Finished}, {0, RowState::None}, {0, RowState::Redownload}};
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(form.google_list.item(r).facts.queue.attempts, values[static_cast<std::size_t>(r)].first) << r;
        EXPECT_EQ(form.google_list.item(r).facts.queue.state, values[static_cast<std::size_t>(r)].second) << r;
    }
    const ResultRow& rated = form.result_list.item(0).facts.result;
    EXPECT_EQ(rated.verdict, Verdict::Good);
    EXPECT_EQ(std::tuple(rated.figures.average, rated.figures.max, newest_post_text(rated.figures)), std::tuple(21, 35, "2018-03-20"));
    EXPECT_EQ(form.result_list.item(1).facts.result.verdict, Verdict::Fatal);
    EXPECT_EQ(form.result_list.item(1).facts.result.figures.numbers, 0);
}

TEST_F(ListCommands, EachDialogOffersTheNameLastChosenInIt) {
    add_forum_results(form.result_list);
    answer(form.SaveDialog1, {path("first.txt"), path("second.txt"), std::nullopt});
    run(&TForm1::Save1Click);
    run(&TForm1::Savelist1Click);  // the queue, from the same dialog
    run(&TForm1::Save1Click);      // cancelled
    EXPECT_EQ(offered, (std::vector<std::string>{"", path("first.txt"), path("second.txt")}));
    EXPECT_EQ(titles, (std::vector<std::string>(3, "Save list dialog")));
    EXPECT_EQ(read_bytes(path("second.txt")).substr(0, 4), "URL\t");
    EXPECT_EQ(form.SaveDialog1.file_name(), path("second.txt"));
    EXPECT_EQ(form.OpenDialog1.file_name(), "");  // the open dialog keeps its own
    EXPECT_TRUE(errors.empty());
}

TEST_F(ListCommands, ACancelledOpenChangesNothing) {
    add_forum_results(form.result_list);
    answer(form.OpenDialog1, {std::nullopt});
    run(&TForm1::OpenList2Click);
    EXPECT_EQ(form.result_list.item_count(), 2);
    EXPECT_EQ(form.result_list.column_count(), 5);
    EXPECT_TRUE(errors.empty());
}

TEST_F(ListCommands, AFailedOpenShowsItsMessageAndKeepsTheList) {
    form.google_list.add_item({"http://q.example/", {"d", "", "0", "Download"}});
    answer(form.OpenDialog1, {path("nothing.txt")});
    run(&TForm1::Openlist1Click);
    EXPECT_EQ(errors, (std::vector<std::string>{"File not found"}));
    EXPECT_EQ(form.google_list.item_count(), 1);
    EXPECT_EQ(form.google_list.column(0).width, 150);
}

TEST_F(ListCommands, DoubleClickOpensOnlyWebAddresses) {
    form.google_list.add_item({"HTTPS://Forum.example/index.php", {}});
    form.google_list.add_item({"file:///etc/passwd", {}});
    form.result_list.add_item({"http://r.example/", {}});

    run(&TForm1::google_listDblClick);  // nothing selected
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(errors.empty());

    form.google_list.set_selected(0);
    run(&TForm1::google_listDblClick);
    form.result_list.set_selected(0);
    run(&TForm1::result_listDblClick);
    EXPECT_EQ(opened, (std::vector<std::string>{"HTTPS://Forum.example/index.php", "http://r.example/"}));
    EXPECT_TRUE(errors.empty());

    form.google_list.set_selected(1);
    run(&TForm1::google_listDblClick);
    EXPECT_EQ(opened.size(), 2u);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("file:///etc/passwd"), std::string::npos);

    desktop_opens = false;
    run(&TForm1::result_listDblClick);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[1].find("http://r.example/"), std::string::npos);
}

TEST(UrlOpening, OnlyWebAddressesWithAHostPass) {
    for (const char* text : {"http://a.example/", "https://a.example", "hTTp://a.example:8080/x?y#z",
                             "http://user@a.example/", "https://127.0.0.1/"})
        EXPECT_TRUE(is_openable_web_url(text)) << text;
    for (const char* text : {"", "a.example", "file:///home/http/x", "javascript:alert('http://x')",
                             "C:\\test\\_tmp.htm", "/home/user/x.htm", "http:a.example", "http://",
                             "http:///etc/passwd", "https://user@/x", "http://:80/", " http://a.example/",
                             "http://a.example/\nfile:///x", "mailto:a@b.example", "ftp://a.example/"})
        EXPECT_FALSE(is_openable_web_url(text)) << text;
}

}  // namespace
