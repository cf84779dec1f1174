#include "model/console/results_csv.h"

#include "model/app/controls/list_view.h"
#include "model/app/list_layouts.h"
#include "tests/console/console_files.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Python's csv module reads the file; each field comes back as the hex of its UTF-8 bytes, so
// nothing in the texts can confuse the way back.
const char* const kReadBack = R"(
import csv, sys
with open(sys.argv[1], newline='', encoding='utf-8') as f:
    for row in csv.reader(f, strict=True):
        print(' '.join(field.encode('utf-8').hex() or '-' for field in row))
)";

std::string from_hex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

Rows read_back_with_python(const std::string& path) {
    QProcess python;
    python.start("python3", {"-c", kReadBack, QString::fromStdString(path)});
    EXPECT_TRUE(python.waitForFinished(30000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    Rows rows;
    for (const QByteArray& line : python.readAllStandardOutput().split('\n')) {
        if (line.isEmpty()) continue;
        auto& fields = rows.emplace_back();
        for (const QByteArray& hex : line.split(' ')) fields.push_back(hex == "-" ? "" : from_hex(hex.toStdString()));
    }
    return rows;
}

// A research's results as the forum stage leaves them, with texts from the web that a
// spreadsheet must neither split, join nor run.
void fill_results(ListView& results) {
    for (const ListColumn& column : list_layout::results_forum_stage) results.add_column(column.caption, column.width);
    ListItem tricky{"http://a.example/forum/", {"Tea, \"green\" and\r\nblack — Grüße 日本", "Good", "120", "4031", "2026-11-30"}};
    tricky.facts.result.figures.engine = "phpBB 3";
    results.add_item(tricky);
    ListItem formula{"http://b.example/", {"=HYPERLINK(\"http://evil.example\")", "Fatal"}};
    formula.facts.reason = no_figures_reason(ReasonKind::NoCounts);
    results.add_item(formula);
    results.add_item({"http://c.example/", {"-1 +1 @home", "Good", "7", "9"}});
}

}  // namespace

TEST(ResultsCsv, ReadsBackFieldForFieldWithPythonsCsvModule) {
    if (QStandardPaths::findExecutable("python3").isEmpty()) GTEST_SKIP() << "python3 is not installed";
    ListView results;
    fill_results(results);
    QTemporaryDir dir;
    const std::string path = temp_path(dir, "results.csv");
    save_results_csv(path, results);

    const Rows expected = {
        {"URL", "Description", "Result", "Post averag", "Posts max", "Newest post", "Engine", "Reason"},
        {"http://a.example/forum/", "Tea, \"green\" and\r\nblack — Grüße 日本", "Good", "120", "4031", "2026-11-30",
         "phpBB 3", ""},
        {"http://b.example/", "'=HYPERLINK(\"http://evil.example\")", "Fatal", "", "", "", "", "no forum counts on the page"},
        {"http://c.example/", "'-1 +1 @home", "Good", "7", "9", "", "", ""},
    };
    EXPECT_EQ(read_back_with_python(path), expected);
    EXPECT_EQ(read_bytes(path).substr(0, read_bytes(path).find('\n') + 1),
              "URL,Description,Result,Post averag,Posts max,Newest post,Engine,Reason\r\n");
}

// Where LibreOffice is installed, Calc opens the file as one row per forum.
TEST(ResultsCsv, OpensInCalcAsOneRowPerForum) {
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    if (QStandardPaths::findExecutable("python3").isEmpty()) GTEST_SKIP() << "python3 is not installed";
    ListView results;
    fill_results(results);
    QTemporaryDir dir;
    const std::string path = temp_path(dir, "results.csv");
    save_results_csv(path, results);

    // Imported as comma-separated UTF-8 (filter options 44,34,76), written back out by Calc.
    QProcess calc;
    calc.start(soffice, {"--headless", "-env:UserInstallation=file://" + dir.filePath("profile"), "--infilter=CSV:44,34,76",
                         "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76", "--outdir", dir.filePath("out"),
                         QString::fromStdString(path)});
    ASSERT_TRUE(calc.waitForFinished(120000));
    const Rows rows = read_back_with_python(temp_path(dir, "out/results.csv"));
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(results.item_count() + 1));
    EXPECT_EQ(rows[1][1], results.sub_item(0, 0));
}
