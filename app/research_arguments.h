#pragma once

#include "app/program_options.h"

#include <string>
#include <vector>

// What the research command was asked to do: its options (the API key comes from the
// environment only, RAVELMOOT_SEARCH_KEY) and the keyword.
struct ResearchArguments : OptionValues {
    std::string keyword;
};

struct ParsedArguments {
    ResearchArguments arguments;
    std::string error;  // one line for standard error; empty when the arguments are usable
};

// Parses the arguments after the program name. A missing keyword is an error unless --forums
// or --help is given.
ParsedArguments parse_research_arguments(const std::vector<std::string>& args);

// The usage text, one line per option.
std::string research_usage();
