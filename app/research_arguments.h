#pragma once

#include <optional>
#include <string>
#include <vector>

// What the research command was asked to do. Numeric options keep the text given, so that the
// window model's fields read them with their own rules.
struct ResearchArguments {
    std::optional<std::string> search_host;
    std::optional<std::string> dig;
    std::optional<std::string> threads;
    std::optional<std::string> attempts;
    std::optional<std::string> timeout_normal;
    std::optional<std::string> timeout_advanced;
    std::optional<std::string> results_file;
    std::optional<std::string> queue_file;
    std::optional<std::string> forums_file;
    // What standard output carries: "tsv" (the default) or "json"; checked by the parser.
    std::optional<std::string> format;
    // Search service options; the API key comes from the environment only (RAVELMOOT_SEARCH_KEY).
    std::optional<std::string> search_service;
    std::optional<std::string> search_phrase;
    bool quiet = false;
    bool classic_count = false;  // forum pages by the "row2" rule alone
    bool help = false;
    std::string keyword;
};

struct ParsedArguments {
    ResearchArguments arguments;
    std::string error;  // one line for standard error; empty when the arguments are usable
};

// Parses the arguments after the program name. "--name value" and "--name=value" both work;
// "--" ends the options. A missing keyword is an error unless --forums or --help is given.
ParsedArguments parse_research_arguments(const std::vector<std::string>& args);

// The usage text, one line per option.
std::string research_usage();
