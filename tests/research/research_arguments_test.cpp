#include "runner/research_arguments.h"
#include "model/app/window_arguments.h"

#include <gtest/gtest.h>

namespace {

TEST(ResearchArguments, OptionsInBothFormsAndTheKeywordUnchanged) {
    const auto parsed = parse_research_arguments(
        {"--search-host", "127.0.0.1:8080", "--dig=200", "--threads", "25", "--quiet", "  web  forum "});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.arguments.search_host, "127.0.0.1:8080");
    EXPECT_EQ(parsed.arguments.dig, "200");
    EXPECT_EQ(parsed.arguments.threads, "25");
    EXPECT_TRUE(parsed.arguments.quiet);
    EXPECT_EQ(parsed.arguments.keyword, "  web  forum ");
    EXPECT_FALSE(parsed.arguments.attempts);

    EXPECT_EQ(parse_research_arguments({"--", "--not-an-option"}).arguments.keyword, "--not-an-option");
    EXPECT_EQ(parse_research_arguments({""}).error, "");  // an empty keyword is a keyword
}

TEST(ResearchArguments, ErrorsNameWhatIsWrong) {
    EXPECT_EQ(parse_research_arguments({"--colour", "x"}).error, "unknown option '--colour' (see --help)");
    EXPECT_EQ(parse_research_arguments({}).error, "missing KEYWORD (see --help)");
    EXPECT_EQ(parse_research_arguments({"x", "--dig"}).error, "option --dig needs a value");
    EXPECT_EQ(parse_research_arguments({"--dig", "lots", "x"}).error, "option --dig needs a whole number, not 'lots'");
    EXPECT_EQ(parse_research_arguments({"--format", "xml", "x"}).error, "option --format takes tsv, json or csv, not 'xml'");
    EXPECT_EQ(parse_research_arguments({"--format=json", "x"}).arguments.format, "json");
    EXPECT_NE(parse_research_arguments({"web", "forum"}).error, "");
    EXPECT_NE(parse_research_arguments({"--forums", "f.txt", "web"}).error, "");
    EXPECT_EQ(parse_research_arguments({"--forums", "f.txt"}).error, "");
    EXPECT_TRUE(parse_research_arguments({"--help"}).arguments.help);
}

TEST(ResearchArguments, NumbersOutOfTheirRangeAreRefused) {
    const struct {
        const char* option;
        const char* value;
        const char* error;  // "" where the value is in range
    } cases[] = {
        {"--threads", "0", "--threads takes 1 to 25, not 0"},
        {"--threads", "30", "--threads takes 1 to 25, not 30"},
        {"--threads", "-3", "--threads takes 1 to 25, not -3"},
        {"--threads", "1", ""},
        {"--per-site", "99", "--per-site takes 0 to 25, not 99"},
        {"--per-site", "0", ""},
        {"--attempts", "0", "--attempts takes 1 or more, not 0"},
        {"--dig", "-5", "--dig takes 1 or more, not -5"},
        {"--timeout-normal", "-1", "--timeout-normal takes 0 or more, not -1"},
        {"--timeout-advanced", "0", ""},
    };
    for (const auto& test : cases)
        EXPECT_EQ(parse_research_arguments({test.option, test.value, "x"}).error, test.error) << test.option << " " << test.value;
}

TEST(ResearchArguments, LanguageAndRegionCodesAreChecked) {
    const struct {
        const char* option;
        const char* value;
        const char* error_start;  // "" where the code is known
    } cases[] = {
        {"--language", "de", ""},
        {"--language", "any", ""},
        {"--region", "GB", ""},
        {"--language", "german", "unknown language 'german' for --language (any, or one of en, de, "},
        {"--region", "uk", "unknown region 'uk' for --region (any, or one of au, at, "},
        {"--region", "", "unknown region '' for --region"},
    };
    for (const auto& test : cases) {
        const std::string error = parse_research_arguments({test.option, test.value, "x"}).error;
        if (*test.error_start)
            EXPECT_EQ(error.rfind(test.error_start, 0), 0u) << error;
        else
            EXPECT_EQ(error, "") << test.option << " " << test.value;
    }
}

TEST(WindowArguments, TheWindowTakesTheSearchOptionsOnly) {
    const auto parsed = parse_window_arguments({"--search-service=searx", "--search-host", "http://127.0.0.1:1"});
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.search_service, "searx");
    EXPECT_EQ(parsed.options.search_host, "http://127.0.0.1:1");
    EXPECT_EQ(parse_window_arguments({"--dig", "5"}).error, "unknown option '--dig' (see --help)");
    EXPECT_EQ(parse_window_arguments({"kw"}).error, "unexpected argument 'kw' (see --help)");
    EXPECT_FALSE(parse_window_arguments({"kw"}).maybe_qt_option);
    EXPECT_TRUE(parse_window_arguments({"-session", "1a2b"}).maybe_qt_option);  // the application takes it
    EXPECT_EQ(parse_window_arguments({"--search-service", "bing"}).error.rfind("unknown search service 'bing'", 0), 0u);
    EXPECT_EQ(window_usage().find("--threads"), std::string::npos);
}

}  // namespace
