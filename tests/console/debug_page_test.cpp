#include "model/app/Downloaddemo_U.h"
#include "download/moniker_layer.h"
#include "tests/console/console_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class DebugPage : public ::testing::Test {
protected:
    DebugPage() : form(layer, options()) {
        form.error_sink = [this](const std::string& message) { errors.push_back(message); };
    }

    FormOptions options() {
        FormOptions opt;
        opt.download_folder = pages() + "/";
        opt.debug_file = temp_path(dir, "cache/test/_tmp.htm");
        return opt;
    }
    std::string pages() const { return temp_path(dir, "pages"); }
    std::string page(const char* name) const { return pages() + "/" + name; }

    void run(void (TForm1::*handler)()) { form.guarded([&] { (form.*handler)(); }); }

    QTemporaryDir dir;
    MonikerLayer layer;
    TForm1 form;
    std::vector<std::string> errors;
};

TEST_F(DebugPage, ChosenPageReplacesThePageText) {
    write_bytes(page("a.example.htm"), "<html>\r\n<td>42</td>\nrow2\r\r\nend");
    write_bytes(page("notes.txt"), "not a page");
    form.FileListBox1.update();
    ASSERT_EQ(form.FileListBox1.items(), (std::vector<std::string>{"a.example.htm"}));
    form.result_memo.set_lines({"old"});

    run(&TForm1::FileListBox1Click);  // nothing chosen yet
    EXPECT_EQ(form.result_memo.lines(), (std::vector<std::string>{"old"}));

    form.FileListBox1.set_item_index(0);
    form.FileListBox1.click();
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(form.result_memo.lines(), (std::vector<std::string>{"<html>", "<td>42</td>", "row2", "", "end"}));
}

TEST_F(DebugPage, AVanishedPageLeavesThePageText) {
    write_bytes(page("gone.htm"), "x");
    form.FileListBox1.update();
    form.FileListBox1.set_item_index(0);
    QFile::remove(QString::fromStdString(page("gone.htm")));
    form.result_memo.set_lines({"kept"});
    run(&TForm1::FileListBox1Click);
    EXPECT_EQ(errors, (std::vector<std::string>{"Cannot open file " + page("gone.htm")}));
    EXPECT_EQ(form.result_memo.lines(), (std::vector<std::string>{"kept"}));
}

TEST_F(DebugPage, SaveWritesCrLfLinesIntoAPrivateFolder) {
    form.result_memo.set_lines({"<html>", "", "caf\xc3\xa9 </html>"});
    const std::string target = form.Edit2.text();
    form.Button2.click();
    EXPECT_EQ(read_bytes(target), "<html>\r\n\r\ncaf\xc3\xa9 </html>\r\n");
    for (const char* folder : {"cache", "cache/test"}) {
        struct stat info {};
        ASSERT_EQ(::stat(temp_path(dir, folder).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u) << folder;
    }

    // A saved page loads back line for line.
    form.Edit2.set_text(page("saved.htm"));
    run(&TForm1::Button2Click);
    form.result_memo.clear();
    form.FileListBox1.update();
    form.FileListBox1.set_item_index(0);
    run(&TForm1::FileListBox1Click);
    EXPECT_EQ(form.result_memo.lines(), (std::vector<std::string>{"<html>", "", "caf\xc3\xa9 </html>"}));
    EXPECT_TRUE(errors.empty());
}

// The window makes its download folder when it starts, private like the debug file's.
TEST_F(DebugPage, TheDownloadFolderIsPrivate) {
    struct stat info {};
    ASSERT_EQ(::stat(pages().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(DebugPage, AFailedSaveKeepsTheOldFile) {
    write_bytes(temp_path(dir, "plain"), "a file, not a folder");
    form.Edit2.set_text(temp_path(dir, "plain/x.htm"));
    run(&TForm1::Button2Click);
    form.Edit2.set_text("");
    run(&TForm1::Button2Click);
    EXPECT_EQ(errors, (std::vector<std::string>{"Cannot create file " + temp_path(dir, "plain/x.htm"), "Cannot create file "}));

    const std::string old_page = temp_path(dir, "old.htm");
    write_bytes(old_page, "old page");
    form.Edit2.set_text(old_page);
    form.result_memo.set_lines(std::vector<std::string>(100, "a line longer than the cap allows"));
    {
        FileSizeCap cap(64);
        run(&TForm1::Button2Click);
    }
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[2], "Cannot write file " + old_page);
    EXPECT_EQ(read_bytes(old_page), "old page");

    // A named pipe where the file would go is refused (and stays a pipe: see the list file's test).
    ASSERT_EQ(::mkfifo(temp_path(dir, "pipe.htm").c_str(), 0600), 0);
    form.Edit2.set_text(temp_path(dir, "pipe.htm"));
    run(&TForm1::Button2Click);
    EXPECT_EQ(errors.back(), temp_path(dir, "pipe.htm") + " is not a regular file; it was left as it is");
}

}  // namespace
