#include "runner/research_arguments.h"
#include "tests/support/fixture_web.h"
#include "tests/support/searx_instance.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CommandRun {
    int exit_code = -1;
    std::string err;
};

CommandRun run_research(const QStringList& args, const QString& key = {}, const QString& config_home = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("RAVELMOOT_SEARCH_KEY");
    if (!key.isNull()) env.insert("RAVELMOOT_SEARCH_KEY", key);
    if (!config_home.isNull()) env.insert("XDG_CONFIG_HOME", config_home);
    process.setProcessEnvironment(env);
    process.start(RAVELMOOT_RESEARCH_BIN, args);
    if (!process.waitForStarted(10000)) return {};
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardError().toStdString()};
}

TEST(SearchServiceArguments, ServiceAndPhraseAreTakenAndAnUnknownServiceIsNamed) {
    const auto parsed = parse_research_arguments({"--search-service", "searx", "--search-phrase=board", "kw"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.arguments.search_service, "searx");
    EXPECT_EQ(parsed.arguments.search_phrase, "board");
    EXPECT_EQ(parse_research_arguments({"--search-service", "bing", "kw"}).error,
              "unknown search service 'bing' (one of google, searx, brave, marginalia, duckduckgo)");
    EXPECT_NE(research_usage().find("RAVELMOOT_SEARCH_KEY"), std::string::npos);
}

TEST(SearchServiceCommand, RefusedKeyAndAddressExitWithTwoAndSayWhy) {
    CommandRun run = run_research({"--search-service", "brave", "--quiet", "kw"}, "abc\ndef");
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_NE(run.err.find("API key holds a line break"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("abc"), std::string::npos) << run.err;
    run = run_research({"--search-service", "searx", "--search-host", "gopher://127.0.0.1:8888", "--quiet", "kw"});
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_NE(run.err.find("is not an http:// or https:// address"), std::string::npos) << run.err;
}

// Without search options the runner asks what the window remembers; with any, just what they say.
// (A remembered Google, which would start a private searx, is the whole-program test's.)
TEST(SearchServiceCommand, TheRememberedSearchIsAskedOnlyWhenNoSearchOptionIsGiven) {
    FixtureWeb web{HttpFixtureServer::Threading::OwnThread};
    QTemporaryDir config;
    {
        QSettings remembered(config.filePath("ravelmoot/ravelmoot.conf"), QSettings::IniFormat);
        remembered.setValue("search/service", "marginalia");
        remembered.setValue("search/host", QString::fromStdString("http://" + web.host() + "/api"));
        remembered.setValue("search/phrase", "board");
    }
    const QStringList quick = {"--quiet", "--dig", "1", "--attempts", "1"};
    run_research(quick + QStringList{"kw"}, {}, config.path());
    run_research(quick + QStringList{"--search-host", QString::fromStdString(web.host()), "kw"}, {}, config.path());
    std::vector<std::string> asked;
    for (const HttpRequest& request : web.server().requests())
        // The search stage asks a page several times; each run's page once is enough here.
        if (request.path.ends_with("/search") && (asked.empty() || asked.back() != request.target))
            asked.push_back(request.target);
    EXPECT_EQ(asked, (std::vector<std::string>{"/api/search?query=board%20kw&count=100&page=1",
                                               "/search?as_q=%22forum+index%22+kw&lr=&num=100"}));

    // A language and region reach the request; Marginalia, which takes neither, says so once.
    const auto last_search = [&web] {
        std::string target;
        for (const HttpRequest& request : web.server().requests())
            if (request.path.ends_with("/search")) target = request.target;
        return target;
    };
    run_research(quick + QStringList{"--search-host", QString::fromStdString(web.host()), "--language", "fr", "--region",
                                     "CH", "kw"},
                 {}, config.path());
    EXPECT_EQ(last_search(), "/search?as_q=%22forum+index%22+kw&lr=lang_fr&num=100&hl=fr&gl=ch");
    const CommandRun run = run_research({"--dig", "1", "--attempts", "1", "--language", "de", "kw"}, {}, config.path());
    const std::string note = "Marginalia Search takes no results language or region";
    ASSERT_NE(run.err.find(note), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find(note, run.err.find(note) + 1), std::string::npos) << run.err;
    EXPECT_EQ(last_search(), "/api/search?query=board%20kw&count=100&page=1");
}

// A well-formed answer without results ends the search at its first page, asked once; the closing
// hint names the address that was asked, as it was chosen.
TEST(SearchServiceCommand, AnEmptyAnswerEndsTheSearchAndTheHintNamesWhatWasAsked) {
    HttpFixtureServer searx(HttpFixtureServer::Threading::OwnThread);
    searx.fallback([](const HttpRequest&) { return HttpResponse::text("{\"results\":[]}", "application/json"); });
    QTemporaryDir config;
    {
        QSettings remembered(config.filePath("ravelmoot/ravelmoot.conf"), QSettings::IniFormat);
        remembered.setValue("search/service", "searx");
        remembered.setValue("search/host", QString::fromStdString(searx.url("")));
    }
    const struct {
        QStringList args;
        std::string named;
    } cases[] = {
        {{}, "runs at the address the window remembers, " + searx.url("")},
        {{"--search-service", "searx", "--search-host", QString::fromStdString(searx.url(""))},
         "runs at the address given with --search-host"},
    };
    for (const auto& test : cases) {
        const std::size_t before = searx.requests().size();
        const CommandRun run = run_research(test.args + QStringList{"--dig", "100", "kw"}, {}, config.path());
        EXPECT_EQ(run.exit_code, 3) << run.err;
        int asked = 0;
        for (std::size_t i = before; i < searx.requests().size(); ++i) asked += searx.requests()[i].path == "/search";
        EXPECT_EQ(asked, 1) << run.err;
        EXPECT_NE(run.err.find(test.named), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("Search: 1 of 10 pages read, no links: the search service answered without links"),
                  std::string::npos)
            << run.err;
    }
}

// The runner's whole research through Debian's searx on loopback, key from the environment
// (searx takes none, and it must appear nowhere in the output).
TEST(SearchServiceCommand, WholeResearchThroughSearx) {
    if (SearxInstance::program().empty())
        GTEST_SKIP() << "Debian's searx is not installed (apt-get install searx, or scripts/setup.sh): "
                        "the runner's research through searx is not run";
    FixtureWeb web{HttpFixtureServer::Threading::OwnThread};
    SearxInstance searx(web.host());
    ASSERT_TRUE(searx.ready()) << searx.error();
    QTemporaryDir dir;
    const QString results = dir.filePath("results.txt");
    const CommandRun run = run_research({"--search-service", "searx", "--search-host", QString::fromStdString(searx.base_url()),
                                  "--dig", "20", "--attempts", "3", "--timeout-normal", "5000", "--timeout-advanced",
                                  "1500", "--results", results, "software marketing"},
                                 "not-for-searx");
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.err.find("not-for-searx"), std::string::npos);
    QFile file(results);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string text = file.readAll().toStdString();
    for (const auto& forum : fixture_web::forums()) {
        if (forum.verdict.empty()) continue;
        const std::string row = web.forum_url(forum) + "\t" + forum.description + "\t" + forum.verdict + "\t" +
                                forum.average + "\t" + forum.maximum + "\t" + fixture_web::newest_post(forum) + "\t\r\n";
        EXPECT_NE(text.find(row), std::string::npos) << row << "\nin\n" << text;
    }
}

}  // namespace
