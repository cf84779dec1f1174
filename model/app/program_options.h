#pragma once

#include <limits>
#include <optional>
#include <span>
#include <string>

// The command-line options of both programs, in one table: the parser, the usage texts and the
// runner's manual page are all made from it. Plain data and text, no Qt.

// What a command line asked for. Numeric options keep the text given, so that the window
// model's fields read them with their own rules. The window takes only the search options.
struct OptionValues {
    std::optional<std::string> search_host;
    std::optional<std::string> search_service;
    std::optional<std::string> search_phrase;
    // Codes of the search's results language and region; checked where the command line is read.
    std::optional<std::string> language;
    std::optional<std::string> region;
    std::optional<std::string> dig;
    std::optional<std::string> threads;
    std::optional<std::string> attempts;
    std::optional<std::string> timeout_normal;
    std::optional<std::string> timeout_advanced;
    std::optional<std::string> per_site;
    std::optional<std::string> user_agent;
    std::optional<std::string> results_file;
    std::optional<std::string> queue_file;
    std::optional<std::string> forums_file;  // "-" is standard input
    // What standard output carries: "tsv" (the default), "json" or "csv"; checked by the runner.
    std::optional<std::string> format;
    bool classic_count = false;  // forum pages by the "row2" rule alone
    bool no_board_index = false;  // topic and forum pages rated as they are, not by their board index
    bool quiet = false;
    bool help = false;
};

enum class Program { Window, Runner };

// Both programs' exit status for arguments they cannot use.
inline constexpr int kBadArgumentsExit = 2;

// One option: a value option names its field in `text` (and a value name), a switch its field
// in `flag`. Every option is the runner's; `window` ones are the window's too.
struct ProgramOption {
    const char* name;  // without the leading "--"
    const char* value_name = nullptr;
    std::optional<std::string> OptionValues::*text = nullptr;
    bool OptionValues::*flag = nullptr;
    bool numeric = false;  // a whole number
    // A numeric option's range, checked where the command line is read.
    int min_value = std::numeric_limits<int>::min();
    int max_value = std::numeric_limits<int>::max();
    bool window = false;
    // One line per '\n'; the usage text indents the lines, the manual page joins them.
    const char* help;
};

std::span<const ProgramOption> program_options();
bool takes_option(Program program, const ProgramOption& option);

// The options part of a program's usage: "  --name VALUE  help", the help's lines aligned.
std::string options_usage(Program program);
// The runner's options as the manual page's ".TP" paragraphs.
std::string options_manual();
