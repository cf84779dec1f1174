#include "model/console/list_file.h"

#include "model/app/error_guard.h"
#include "tests/console/console_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

namespace {

std::string error_of(const std::function<void()>& action) {
    try {
        action();
    } catch (const AppError& error) {
        return error.what();
    }
    return "(no error)";
}

void fill(ListView& list, std::initializer_list<ListColumn> columns, std::initializer_list<ListItem> rows) {
    list.clear_items();
    list.clear_columns();
    for (const auto& column : columns) list.add_column(column.caption, column.width);
    for (const auto& row : rows) list.add_item(row);
}

void expect_same(const ListView& a, const ListView& b) {
    ASSERT_EQ(a.column_count(), b.column_count());
    for (int k = 0; k < a.column_count(); ++k) {
        EXPECT_EQ(a.column(k).caption, b.column(k).caption);
        EXPECT_EQ(a.column(k).width, b.column(k).width);
    }
    ASSERT_EQ(a.item_count(), b.item_count());
    for (int row = 0; row < a.item_count(); ++row) {
        EXPECT_EQ(a.item(row).caption, b.item(row).caption);
        EXPECT_EQ(a.item(row).sub_items, b.item(row).sub_items);
    }
}

void fill_queue(ListView& list) {
    fill(list, {{"URL", 150}, {"Description", 200}, {"Status", 100}, {"Attemps", 50}, {"Result", 50}},
         {{"http://www.google.com/search?q=x", {"Google page 1", "", "1", "Finished"}},
          {"http://forum.example/index.php", {"Caf\xc3\xa9 forum", "200 OK", "0", "Download"}}});
}

class ListFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string path(const char* name) const { return temp_path(dir, name); }
};

TEST_F(ListFile, QueueIsWrittenInTheExactFormat) {
    ListView list;
    fill_queue(list);
    save_list_file(path("q.txt"), list);
    EXPECT_EQ(read_bytes(path("q.txt")),
              "URL\tDescription\tStatus\tAttemps\tResult\t\r\n"
              "150\t200\t100\t50\t50\t\r\n"
              "http://www.google.com/search?q=x\tGoogle page 1\t\t1\tFinished\t\r\n"
              "http://forum.example/index.php\tCaf\xc3\xa9 forum\t200 OK\t0\tDownload\t\r\n");
}

TEST_F(ListFile, RowLinesHoldOneFieldPerColumn) {
    ListView list;
    fill(list, {{"URL", 100}, {"Description", 100}, {"Result", 100}},
         {{"short", {"only one"}}, {"bare", {}}, {"long", {"d", "Good", "17", "40"}}});
    save_list_file(path("r.txt"), list);
    EXPECT_EQ(read_bytes(path("r.txt")),
              "URL\tDescription\tResult\t\r\n100\t100\t100\t\r\n"
              "short\tonly one\t\t\r\nbare\t\t\t\r\nlong\td\tGood\t\r\n");

    ListView no_columns;
    fill(no_columns, {}, {{"a", {"b"}}, {"c", {}}});
    save_list_file(path("none.txt"), no_columns);
    EXPECT_EQ(read_bytes(path("none.txt")), "\r\n\r\n\r\n\r\n");
}

TEST_F(ListFile, EveryLayoutComesBackWhole) {
    ListView queue, results, results_saved_before, empty_results, loaded;
    fill_queue(queue);
    fill(results,
         {{"URL", 100}, {"Description", 100}, {"Result", 100}, {"Post averag", 100}, {"Posts max", 100},
          {"Newest post", 100}},
         {{"http://a.example/index.php", {"A forum", "Good", "21", "35", "2018-03-10"}},
          {"http://b.example/index.php", {"", "Fatal", "", "", ""}}});
    // Results files saved before "Newest post" keep their five columns when loaded.
    fill(results_saved_before,
         {{"URL", 100}, {"Description", 100}, {"Result", 100}, {"Post averag", 100}, {"Posts max", 100}},
         {{"http://a.example/index.php", {"A forum", "Good", "21", "35"}}});
    fill(empty_results, {{"URL", 100}, {"Description", 100}, {"Result", 100}, {"Sites on page", 100}}, {});

    for (const ListView* original : {&queue, &results, &results_saved_before, &empty_results}) {
        save_list_file(path("list.txt"), *original);
        fill(loaded, {{"URL", 100}, {"Description", 100}, {"Result", 100}, {"Post averag", 100}, {"Posts max", 100},
                      {"Newest post", 100}},
             {{"stale row", {}}});
        load_list_file(path("list.txt"), loaded);
        expect_same(*original, loaded);
    }
}

TEST_F(ListFile, LinesSplitFromTheLeft) {
    write_bytes(path("hand.txt"),
                "URL\t\tStatus\t\r\n"       // an empty caption between two TABs
                "150\t7\r\n"                // no trailing TAB, one width short
                "a\tb\t\tc\t\r\n"           // empty sub-item
                "\r\n"                      // empty row line
                "x\ty\tz\tw\tv\r\n"         // more fields than columns
                "last without line end");
    ListView list;
    load_list_file(path("hand.txt"), list);

    ASSERT_EQ(list.column_count(), 3);
    EXPECT_EQ(list.column(0).caption, "URL");
    EXPECT_EQ(list.column(1).caption, "");
    EXPECT_EQ(list.column(2).caption, "Status");
    EXPECT_EQ(list.column(0).width, 150);
    EXPECT_EQ(list.column(1).width, 7);
    EXPECT_EQ(list.column(2).width, 50);

    ASSERT_EQ(list.item_count(), 4);
    EXPECT_EQ(list.item(0).caption, "a");
    EXPECT_EQ(list.item(0).sub_items, (std::vector<std::string>{"b", " c"}));
    EXPECT_EQ(list.item(1).caption, "");
    EXPECT_TRUE(list.item(1).sub_items.empty());
    EXPECT_EQ(list.item(2).sub_items, (std::vector<std::string>{"y", "z w v"}));
    EXPECT_EQ(list.item(3).caption, "last without line end");
}

TEST_F(ListFile, AFieldTooManyIsJoinedIntoTheLastColumnAndCounted) {
    ListView list;
    fill(list, {{"URL", 150}, {"Description", 200}, {"Status", 100}},
         {{"http://a.example/", {"Best\tforum", "OK"}}, {"http://b.example/", {"Fine", "OK"}}});
    save_list_file(path("tab.txt"), list);
    EXPECT_EQ(load_list_file(path("tab.txt"), list), 1);
    ASSERT_EQ(list.item_count(), 2);
    EXPECT_EQ(list.item(0).sub_items, (std::vector<std::string>{"Best", "forum OK"}));
    EXPECT_EQ(list.item(1).sub_items, (std::vector<std::string>{"Fine", "OK"}));
}

TEST_F(ListFile, ShortFiles) {
    ListView list;
    fill_queue(list);
    write_bytes(path("empty.txt"), "");
    load_list_file(path("empty.txt"), list);
    EXPECT_EQ(list.column_count(), 0);
    EXPECT_EQ(list.item_count(), 0);

    write_bytes(path("one.txt"), "URL\tDescription\t\r\n");
    load_list_file(path("one.txt"), list);
    ASSERT_EQ(list.column_count(), 2);
    EXPECT_EQ(list.column(1).caption, "Description");
    EXPECT_EQ(list.column(0).width, 50);
    EXPECT_EQ(list.column(1).width, 50);
    EXPECT_EQ(list.item_count(), 0);

    // Line ends written by other tools load alike.
    write_bytes(path("lf.txt"), "URL\t\n80\t\nhttp://a.example/\t\n");
    load_list_file(path("lf.txt"), list);
    ASSERT_EQ(list.item_count(), 1);
    EXPECT_EQ(list.column(0).width, 80);
    EXPECT_EQ(list.item(0).caption, "http://a.example/");
}

TEST_F(ListFile, AFileThatCannotBeReadChangesNothing) {
    ListView list, before;
    fill_queue(list);
    fill_queue(before);
    list.set_selected(1);
    QDir(dir.path()).mkdir("folder.txt");

    EXPECT_EQ(error_of([&] { load_list_file(path("missing.txt"), list); }), "File not found");
    EXPECT_EQ(error_of([&] { load_list_file(path("no/such/folder.txt"), list); }), "Path not found");
    EXPECT_EQ(error_of([&] { load_list_file(path("folder.txt"), list); }), "File access denied");
    EXPECT_EQ(error_of([&] { load_list_file("/dev/zero", list); }), "File access denied");
    expect_same(before, list);
    EXPECT_EQ(list.selected(), 1);
}

TEST_F(ListFile, ABadWidthKeepsTheColumnsReadSoFarAndNoRows) {
    ListView list;
    fill_queue(list);
    write_bytes(path("bad.txt"), "URL\tDescription\tStatus\t\r\n150\t2O0\t100\t\r\nrow\td\ts\t\r\n");
    EXPECT_EQ(error_of([&] { load_list_file(path("bad.txt"), list); }), "'2O0' is not a valid integer value");
    ASSERT_EQ(list.column_count(), 3);
    EXPECT_EQ(list.column(0).width, 150);
    EXPECT_EQ(list.column(1).width, 50);
    EXPECT_EQ(list.item_count(), 0);

    write_bytes(path("blank.txt"), "URL\t\r\n\t\r\n");
    EXPECT_EQ(error_of([&] { load_list_file(path("blank.txt"), list); }), "'' is not a valid integer value");

    // A huge field is quoted by its start only, so the message box stays quick to show.
    write_bytes(path("huge.txt"), "URL\t\r\n" + std::string(2 << 20, '7') + "x\t\r\n");
    EXPECT_EQ(error_of([&] { load_list_file(path("huge.txt"), list); }),
              "'" + std::string(100, '7') + "...' is not a valid integer value");
}

TEST_F(ListFile, MoreWidthsThanColumnsStopsAtTheFirstExtra) {
    ListView list;
    fill_queue(list);
    // The extra field stops the load even though it is no number.
    write_bytes(path("wide.txt"), "URL\tDescription\t\r\n150\t200\tx\t60\t\r\nrow\td\t\r\n");
    EXPECT_EQ(error_of([&] { load_list_file(path("wide.txt"), list); }), "List index out of bounds (2)");
    ASSERT_EQ(list.column_count(), 2);
    EXPECT_EQ(list.column(1).width, 200);
    EXPECT_EQ(list.item_count(), 0);
}

TEST_F(ListFile, AFailedSaveLeavesTheOldFileAlone) {
    ListView list;
    fill_queue(list);
    const std::string old_bytes = "URL\t\r\n50\t\r\nkeep me\t\r\n";
    write_bytes(path("old.txt"), old_bytes);

    {
        // A full disk: the temporary file fills up before all was written.
        FileSizeCap cap(40);
        EXPECT_EQ(error_of([&] { save_list_file(path("old.txt"), list); }), "Disk write error");
    }
    EXPECT_EQ(read_bytes(path("old.txt")), old_bytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.txt"});  // no temporary left behind

    {
        NoFreeFileDescriptors cap;
        EXPECT_EQ(error_of([&] { save_list_file(path("old.txt"), list); }), "File access denied");
    }
    EXPECT_EQ(read_bytes(path("old.txt")), old_bytes);

    // A target that is no regular file is refused and stays what it is (as root, /dev/null would be replaced).
    QDir(dir.path()).mkdir("taken.txt");
    ASSERT_EQ(::mkfifo(path("pipe.txt").c_str(), 0600), 0);
    ASSERT_TRUE(QFile::link(QString::fromStdString(path("pipe.txt")), QString::fromStdString(path("link.txt"))));
    for (const char* name : {"taken.txt", "pipe.txt", "link.txt"}) {
        EXPECT_EQ(error_of([&] { save_list_file(path(name), list); }),
                  path(name) + " is not a regular file; it was left as it is");
    }
    struct stat status {};
    EXPECT_TRUE(::lstat(path("pipe.txt").c_str(), &status) == 0 && S_ISFIFO(status.st_mode));
    EXPECT_TRUE(::lstat(path("link.txt").c_str(), &status) == 0 && S_ISLNK(status.st_mode));
    EXPECT_TRUE(::lstat(path("taken.txt").c_str(), &status) == 0 && S_ISDIR(status.st_mode));
    EXPECT_EQ(error_of([&] { save_list_file(path("gone/list.txt"), list); }), "Path not found");
}

TEST_F(ListFile, SaveReplacesAnExistingFile) {
    ListView list;
    fill(list, {{"URL", 150}}, {});
    write_bytes(path("old.txt"), std::string(5000, 'x'));
    save_list_file(path("old.txt"), list);
    EXPECT_EQ(read_bytes(path("old.txt")), "URL\t\r\n150\t\r\n");
}

}  // namespace
