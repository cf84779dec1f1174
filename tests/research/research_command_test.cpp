#include "tests/support/fixture_web.h"
#include "tests/support/real_pages.h"

#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <map>
#include <optional>

namespace {

struct ProcessRun {
    int exit_code = -1;
    std::string out;
    std::string err;
};

ProcessRun run_research(const QStringList& args, int interrupt_after_ms = -1, const std::string& input = "") {
    QProcess process;
    process.start(RAVELMOOT_RESEARCH_BIN, args);
    if (!process.waitForStarted(10000)) return {};
    process.write(input.data(), static_cast<qint64>(input.size()));
    process.closeWriteChannel();
    if (interrupt_after_ms >= 0) {
        QThread::msleep(static_cast<unsigned long>(interrupt_after_ms));
        ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    }
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

std::string read_file(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
}

std::string expected_results(const FixtureWeb& web, bool only_good = false) {
    std::string text = "URL\tDescription\tResult\tPost averag\tPosts max\tNewest post\t\r\n"
                       "100\t100\t100\t100\t100\t100\t\r\n";
    for (const auto& forum : fixture_web::forums()) {
        if (forum.verdict.empty() || (only_good && forum.verdict != "Good")) continue;
        text += web.forum_url(forum) + "\t" + forum.description + "\t" + forum.verdict + "\t" + forum.average + "\t" +
                forum.maximum + "\t" + fixture_web::newest_post(forum) + "\t\r\n";
    }
    return text;
}

std::string last_line(const std::string& text) {
    const auto end = text.find_last_not_of('\n');
    if (end == std::string::npos) return "";
    const auto start = text.rfind('\n', end);
    return text.substr(start == std::string::npos ? 0 : start + 1, end - (start == std::string::npos ? 0 : start + 1) + 1);
}

std::string json_or_null(const std::string& number) { return number.empty() ? "null" : number; }

class ResearchCommand : public ::testing::Test {
protected:
    // The fixture web answers on its own thread while the test waits for the process.
    FixtureWeb web{HttpFixtureServer::Threading::OwnThread};
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(name); }
    // Short time-outs and two attempts keep the research to a few ticks of the real 1000 ms pace.
    QStringList fast() const {
        return {"--search-host", QString::fromStdString(web.host()), "--attempts", "2", "--timeout-normal", "300",
                "--timeout-advanced", "300"};
    }
};

TEST_F(ResearchCommand, RunsAWholeResearchAndWritesTheResultsTable) {
    const ProcessRun run = run_research(fast() + QStringList{"--dig", "200", "--threads", "4", "--results", path("results.txt"),
                                                      "--queue", path("queue.txt"), "software marketing"});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(read_file(path("results.txt")), expected_results(web));
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Status: Checking forums popularity"), std::string::npos);
    EXPECT_NE(run.err.find("Query: 9 / 9  (100 % downloaded)"), std::string::npos);
    EXPECT_NE(run.err.find("Download complete..."), std::string::npos);
    const std::string queue = read_file(path("queue.txt"));
    EXPECT_EQ(queue.rfind("URL\tDescription\tStatus\tAttemps\tResult\t\r\n", 0), 0u);
    EXPECT_NE(queue.find(web.forum_url(fixture_web::forums()[5]) + "\tZeta\tCancelled ...  Not Found\t2\tDownload\t\r\n"),
              std::string::npos);
}

TEST_F(ResearchCommand, RatesTheForumsOfAListFileAndPrintsToStandardOutput) {
    {
        QFile list(path("forums.txt"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        std::string text = "URL\tDescription\t\r\n150\t200\t\r\n";
        for (const auto& forum : fixture_web::forums())
            if (forum.verdict == "Good") text += web.forum_url(forum) + "\t" + forum.description + "\t\r\n";
        list.write(text.data(), static_cast<qint64>(text.size()));
    }
    const ProcessRun run = run_research(fast() + QStringList{"--quiet", "--forums", path("forums.txt")});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, expected_results(web, /*only_good=*/true));
    EXPECT_EQ(run.err.find("Download complete..."), std::string::npos);  // --quiet
    EXPECT_EQ(web.hits("/search"), 0);
}

TEST_F(ResearchCommand, CsvIsTheResultsTableWithAHeaderRowForSpreadsheets) {
    std::string input, expected = "URL,Description,Result,Post averag,Posts max,Newest post,Engine,Reason\r\n";
    for (const auto& forum : fixture_web::forums()) {
        if (forum.verdict != "Good") continue;
        input += web.forum_url(forum) + "\n";
        expected += web.forum_url(forum) + ",,Good," + forum.average + "," + forum.maximum + "," +
                    fixture_web::newest_post(forum) + ",,\r\n";
    }
    const ProcessRun run = run_research(fast() + QStringList{"--quiet", "--format", "csv", "--forums", "-"}, -1, input);
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, expected);
}

TEST_F(ResearchCommand, RatesAPlainListOfUrlsFromStandardInputAndRefusesAListWithoutOne) {
    std::vector<std::string> urls, rated;
    for (const auto& forum : fixture_web::forums()) {
        if (forum.verdict != "Good" || urls.size() == 2) continue;
        urls.push_back(web.forum_url(forum));
        rated.push_back(urls.back() + "\t\tGood\t" + forum.average + "\t" + forum.maximum + "\t" +
                        fixture_web::newest_post(forum) + "\t\r\n");
    }
    const std::string input = "# forums to rate\n  " + urls[0] + "\nforum.example.org\n\n" + urls[1] + "\n";
    ProcessRun run = run_research(fast() + QStringList{"--quiet", "--forums", "-"}, -1, input);
    ASSERT_EQ(run.exit_code, 0) << run.err;
    for (const auto& row : rated) EXPECT_NE(run.out.find(row), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("ravelmoot-research: standard input line 3: 'forum.example.org' is not an http or https "
                           "URL; skipped\n"),
              std::string::npos)
        << run.err;

    QFile list(path("none.txt"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("# nothing here\nforum.example.org\n");
    list.close();
    run = run_research({"--forums", path("none.txt")});
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_NE(run.err.find("ravelmoot-research: no http or https URL in " + path("none.txt").toStdString() + "\n"),
              std::string::npos)
        << run.err;
}

// Lines of a text, each without its line end.
std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const auto end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

TEST_F(ResearchCommand, ASavedQueueAndASavedResultsFileAreRatedAgainInFull) {
    ProcessRun run = run_research(fast() + QStringList{"--dig", "200", "--threads", "4", "--quiet", "--results",
                                                      path("results.txt"), "--queue", path("queue.txt"), "software marketing"});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    // Each row starts anew: every forum is asked again and judged on its own answers, with the
    // description it was saved with; a results table's figures are not taken for attempts.
    for (const char* saved : {"queue.txt", "results.txt"}) {
        const int before = web.hits("/alpha/index.php");
        run = run_research(fast() + QStringList{"--quiet", "--format", "json", "--forums", path(saved)});
        ASSERT_EQ(run.exit_code, 0) << saved << run.err;
        EXPECT_EQ(web.hits("/alpha/index.php"), before + 1) << saved;
        const auto objects = lines_of(run.out);
        EXPECT_EQ(objects.size(), std::string(saved) == "queue.txt" ? 9u : 7u) << run.out;
        for (const auto& object : objects)
            EXPECT_TRUE(object.find("\"attempts\":1,") != std::string::npos || object.find("\"attempts\":2,") != std::string::npos)
                << saved << ": " << object;
        EXPECT_NE(run.out.find("\"url\":\"" + web.forum_url(fixture_web::forums()[0]) +
                               "\",\"description\":\"Alpha forum index\",\"verdict\":\"Good\",\"posts_average\":21,"),
                  std::string::npos)
            << saved << ": " << run.out;
    }
    // --results takes the --format that standard output would: CSV into the file, nothing on standard output.
    run = run_research(fast() + QStringList{"--quiet", "--format", "csv", "--results", path("x.csv"), "--forums",
                                            path("results.txt")});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(read_file(path("x.csv")).rfind("URL,Description,Result,Post averag,Posts max,Newest post,Engine,Reason\r\n", 0), 0u);
}

TEST_F(ResearchCommand, ATabOrLineBreakInAResultTitleStaysInsideItsField) {
    // A result page whose titles hold a TAB, and a JSON answer whose title holds CR LF.
    const std::string alpha = web.forum_url(fixture_web::forums()[0]), beta = web.forum_url(fixture_web::forums()[1]);
    HttpFixtureServer search(HttpFixtureServer::Threading::OwnThread);
    search.fallback([&](const HttpRequest&) {
        return HttpResponse::html("<html><body>\n<a href=\"" + alpha + "\">Best\tforum</a>\n</body></html>\n");
    });
    ProcessRun run = run_research(fast() + QStringList{"--search-host", QString::fromStdString("127.0.0.1:" + std::to_string(search.port())),
                                                      "--quiet", "--results", path("results.txt"), "x"});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_NE(read_file(path("results.txt")).find("\r\n" + alpha + "\tBest forum\tGood\t21\t35\t"), std::string::npos)
        << read_file(path("results.txt"));

    HttpFixtureServer searx(HttpFixtureServer::Threading::OwnThread);
    searx.fallback([&](const HttpRequest&) {
        return HttpResponse::text("{\"results\":[{\"url\":\"" + beta + "\",\"title\":\"Beta\\r\\nboard\\t!\"}]}", "application/json");
    });
    run = run_research(fast() + QStringList{"--search-service", "searx", "--search-host", QString::fromStdString(searx.url("")),
                                            "--dig", "10", "--quiet", "--queue", path("queue.txt"), "x"});
    EXPECT_NE(read_file(path("queue.txt")).find("\r\n" + beta + "\tBeta  board !\t"), std::string::npos) << read_file(path("queue.txt"));

    // A list file row with a field too many keeps it in its last column, and says so.
    {
        QFile list(path("long.txt"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        const std::string text = "URL\tDescription\t\r\n150\t200\t\r\n" + alpha + "\tBest\tforum\t\r\n";
        list.write(text.data(), static_cast<qint64>(text.size()));
    }
    run = run_research(fast() + QStringList{"--quiet", "--forums", path("long.txt")});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_NE(run.out.find(alpha + "\tBest forum\tGood\t"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("1 row of " + path("long.txt").toStdString() +
                           " holds more fields than its header has columns; the extra fields were joined into the last column"),
              std::string::npos)
        << run.err;
}

TEST_F(ResearchCommand, JsonHasOneObjectPerForumAndTheSummaryCountsThem) {
    const ProcessRun run = run_research(fast() + QStringList{"--dig", "200", "--threads", "4", "--format", "json", "--quiet",
                                                             "software marketing"});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    // The rated forums in the results table's order, then those that never answered.
    std::string rated, never;
    using fixture_web::Behaviour;
    const std::map<Behaviour, std::string> reasons = {{Behaviour::NotFound, "\"HTTP 404 Not Found\""},
                                                      {Behaviour::Stall, "\"timed out\""},
                                                      {Behaviour::EmptyBody, "\"no forum counts on the page\""},
                                                      {Behaviour::NoCounts, "\"no forum counts on the page\""}};
    for (const auto& forum : fixture_web::forums()) {
        const auto reason = reasons.find(forum.behaviour);
        const bool once = forum.behaviour == fixture_web::Behaviour::Counts;
        const std::string verdict = forum.verdict.empty() ? "null" : "\"" + forum.verdict + "\"";
        (forum.verdict.empty() ? never : rated) +=
            "{\"url\":\"" + web.forum_url(forum) + "\",\"description\":\"" + forum.description + "\",\"verdict\":" +
            verdict + ",\"posts_average\":" + json_or_null(forum.average) + ",\"posts_max\":" +
            json_or_null(forum.maximum) + ",\"attempts\":" + (once ? "1" : "2") +
            ",\"read_as\":" + (forum.average.empty() ? "null" : "\"row2\"") +
            ",\"newest_post\":" + (forum.average.empty() ? "null" : "\"" + fixture_web::newest_post(forum) + "\"") +
            ",\"engine\":null,\"reason\":" + (reason == reasons.end() ? "null" : reason->second) + "}\n";
    }
    EXPECT_EQ(run.out, rated + never);
    EXPECT_EQ(last_line(run.err), "Search: 2 of 2 pages read, 9 links; forums: 7 rated, 5 Good, 2 Fatal, 2 never answered, "
                                "5 with a post in the last 30 days; no figures: 1 http-status, 2 no-counts, 1 time-out");
}

TEST_F(ResearchCommand, ExitStatusAndSummaryTellAFailedSearchFromAnEmptyOneAndFromForumsThatNeverAnswered) {
    HttpFixtureServer no_links(HttpFixtureServer::Threading::OwnThread);
    no_links.fallback([](const HttpRequest&) { return HttpResponse::html("<html><body>No results.</body></html>"); });
    quint16 closed_port;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        closed_port = probe.serverPort();
    }
    {
        QFile list(path("forums.txt"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        const std::string text = "URL\t\r\n150\t\r\n" + web.forum_url(fixture_web::forums()[5]) + "\t\r\n";
        list.write(text.data(), static_cast<qint64>(text.size()));
    }
    {
        // Rated, but not one of them Good: no success for a script.
        QFile list(path("fatal.txt"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        const std::string text = web.forum_url(fixture_web::forums()[7]) + "\n" + web.forum_url(fixture_web::forums()[8]) + "\n";
        list.write(text.data(), static_cast<qint64>(text.size()));
    }
    struct Case {
        QStringList args;
        int exit_code;
        std::string summary_start;
        std::optional<std::string> out = std::string();  // nullopt: not checked
    };
    const Case cases[] = {
        {{"--search-host", QString("127.0.0.1:%1").arg(closed_port), "x"},
         3,
         "Search: 0 of 1 page read, no links: the search service could not be reached ("},
        {{"--search-host", QString::fromStdString("127.0.0.1:" + std::to_string(no_links.port())), "x"},
         3,
         "Search: 1 of 1 page read, no links: the search service answered without links; forums: none to rate"},
        {{"--attempts", "1", "--forums", path("forums.txt")},
         4,
         "Search: none (forums from a list file); forums: 0 rated, 0 Good, 0 Fatal, 1 never answered",
         "{\"url\":\"" + web.forum_url(fixture_web::forums()[5]) +
             "\",\"description\":\"\",\"verdict\":null,\"posts_average\":null,\"posts_max\":null,\"attempts\":1,\"read_as\":null,\"newest_post\":null,\"engine\":null,"
             "\"reason\":\"HTTP 404 Not Found\"}\n"},
        {{"--forums", path("fatal.txt")},
         4,
         "Search: none (forums from a list file); forums: 2 rated, 0 Good, 2 Fatal",
         std::nullopt},
    };
    for (const Case& test : cases) {
        const ProcessRun run = run_research(test.args + QStringList{"--quiet", "--format", "json"});
        EXPECT_EQ(run.exit_code, test.exit_code) << run.err;
        if (test.out) {
            EXPECT_EQ(run.out, *test.out);
        }
        EXPECT_EQ(last_line(run.err).rfind(test.summary_start, 0), 0u) << run.err;
    }
}

TEST_F(ResearchCommand, BadArgumentsAndUnreadableListsExitWithTwo) {
    ProcessRun run = run_research({"--colour", "red", "x"});
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.err, "ravelmoot-research: unknown option '--colour' (see --help)\n");
    run = run_research({});
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.err, "ravelmoot-research: missing KEYWORD (see --help)\n");
    run = run_research({"--forums", path("absent.txt")});
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.err, "ravelmoot-research: cannot read " + path("absent.txt").toStdString() + ": File not found\n");
    run = run_research({"--help"});
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_NE(run.out.find("--timeout-advanced MS"), std::string::npos);

    // A dig level asking for more search pages than a research may have: refused before anything starts.
    run = run_research(fast() + QStringList{"--dig", "2147483647", "--results", path("huge.txt"), "x"});
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.err, "ravelmoot-research: Google dig level 2147483647 asks for 21474836 search pages; at most "
                       "10000 are allowed\n");
    EXPECT_EQ(web.hits("/search"), 0);

    // An output that cannot be written is refused before anything is downloaded: a folder in the
    // results file's place (left as it is), a queue file in a folder that does not exist.
    ASSERT_TRUE(QDir().mkpath(path("taken.txt")));
    run = run_research(fast() + QStringList{"--results", path("taken.txt"), "x"});
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.err, "ravelmoot-research: cannot write " + path("taken.txt").toStdString() + ": " +
                           path("taken.txt").toStdString() + " is not a regular file; it was left as it is\n");
    EXPECT_TRUE(QFileInfo(path("taken.txt")).isDir());
    run = run_research(fast() + QStringList{"--queue", path("no/such/dir/q.txt"), "--forums", "-"}, -1,
                       web.forum_url(fixture_web::forums()[0]) + "\n");
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.err, "ravelmoot-research: cannot write " + path("no/such/dir/q.txt").toStdString() + ": Path not found\n");
    EXPECT_EQ(web.hits("/search"), 0);
    EXPECT_EQ(web.hits("/" + fixture_web::forums()[0].name + "/index.php"), 0);

    // A folder given as the forum list.
    run = run_research({"--forums", dir.path()});
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.err, "ravelmoot-research: cannot read " + dir.path().toStdString() +
                           ": it is a folder; give a list file or a file of URLs\n");
}

TEST_F(ResearchCommand, AnInterruptStopsTheResearchAndStillWritesTheResults) {
    {
        QFile list(path("forums.txt"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        const auto& forums = fixture_web::forums();
        const std::string text = "URL\t\r\n150\t\r\n" + web.forum_url(forums[0]) + "\t\r\n" + web.forum_url(forums[6]) + "\t\r\n";
        list.write(text.data(), static_cast<qint64>(text.size()));
    }
    // The stalled forum keeps the research going until the interrupt; its download ends at its time-out.
    const ProcessRun run = run_research({"--search-host", QString::fromStdString(web.host()), "--timeout-normal", "1500",
                                  "--threads", "2", "--forums", path("forums.txt"), "--results", path("results.txt")},
                                 700);
    EXPECT_EQ(run.exit_code, 130) << run.err;
    EXPECT_NE(run.err.find("Interrupted"), std::string::npos);
    const std::string results = read_file(path("results.txt"));
    EXPECT_NE(results.find(web.forum_url(fixture_web::forums()[0]) + "\t\tGood\t21\t35\t" +
                           fixture_web::newest_post(fixture_web::forums()[0]) + "\t\r\n"), std::string::npos) << results;
}

TEST_F(ResearchCommand, SaysWhichEngineRatedAForumAndCanCountTheClassicWayOnly) {
    if (!real_pages_present()) GTEST_SKIP() << "real pages not present";
    web.server().route("/prosilver/", HttpResponse::html(read_real_page("phpbb3-prosilver-fightbb-2018.html")));
    const std::string url = web.server().url("/prosilver/");
    {
        QFile list(path("forums.txt"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        const std::string text = "URL\t\r\n150\t\r\n" + url + "\t\r\n";
        list.write(text.data(), static_cast<qint64>(text.size()));
    }
    ProcessRun run = run_research(fast() + QStringList{"--forums", path("forums.txt")});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_NE(run.out.find(url + "\t\tGood\t1669\t14286\t2018-03-20\t\r\n"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("Counted as phpBB 3: 32 numbers (" + url + ")\n"), std::string::npos) << run.err;

    run = run_research(fast() + QStringList{"--classic-count", "--forums", path("forums.txt")});
    ASSERT_EQ(run.exit_code, 4) << run.err;
    EXPECT_NE(run.out.find(url + "\t\tFatal\t\t\t\t\r\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.err.find("Counted as"), std::string::npos);
}

}  // namespace
