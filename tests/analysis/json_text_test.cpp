#include "analysis/json_text.h"

#include <gtest/gtest.h>

namespace {

TEST(JsonText, StringsAreEscapedAndAlwaysValid) {
    const std::pair<std::string, std::string> cases[] = {
        {"Alpha forum", "\"Alpha forum\""},
        {"say \"hi\" \\ bye", "\"say \\\"hi\\\" \\\\ bye\""},
        {std::string("tab\tnul\0end", 11), "\"tab\\u0009nul\\u0000end\""},
        {"Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "\"Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\""},  // UTF-8 kept
        {"Caf\xE9 ok", "\"Caf\\ufffd ok\""},                      // a Latin-1 byte
        {"\xE2\x82", "\"\\ufffd\\ufffd\""},                        // a cut sequence
        {"\xC0\xAF", "\"\\ufffd\\ufffd\""},                        // an overlong form
        {"\xED\xA0\x80", "\"\\ufffd\\ufffd\\ufffd\""},             // a surrogate
    };
    for (const auto& [bytes, json] : cases) EXPECT_EQ(json_string(bytes), json) << bytes;
}

TEST(JsonText, FiguresAreWholeNumbersOrNull) {
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {"21", "21"}, {"-3", "-3"}, {"", "null"}, {"12a", "null"}, {"99999999999", "null"}, {std::nullopt, "null"}};
    for (const auto& [text, json] : cases) EXPECT_EQ(json_number_or_null(text), json) << text.value_or("<none>");
    EXPECT_EQ(json_string_or_null(std::nullopt), "null");
    EXPECT_EQ(json_string_or_null("Good"), "\"Good\"");
}

}  // namespace
