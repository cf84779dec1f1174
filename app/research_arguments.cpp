#include "app/research_arguments.h"

#include "analysis/number_text.h"
#include "analysis/search_service.h"

#include <array>

namespace {

struct ValueOption {
    const char* name;
    std::optional<std::string> ResearchArguments::*field;
    bool numeric;
};

constexpr std::array<ValueOption, 12> kValueOptions{{
    {"--search-host", &ResearchArguments::search_host, false},
    {"--dig", &ResearchArguments::dig, true},
    {"--threads", &ResearchArguments::threads, true},
    {"--attempts", &ResearchArguments::attempts, true},
    {"--timeout-normal", &ResearchArguments::timeout_normal, true},
    {"--timeout-advanced", &ResearchArguments::timeout_advanced, true},
    {"--results", &ResearchArguments::results_file, false},
    {"--queue", &ResearchArguments::queue_file, false},
    {"--forums", &ResearchArguments::forums_file, false},
    {"--format", &ResearchArguments::format, false},
    {"--search-service", &ResearchArguments::search_service, false},
    {"--search-phrase", &ResearchArguments::search_phrase, false},
}};

const ValueOption* find_value_option(const std::string& name) {
    for (const auto& option : kValueOptions)
        if (name == option.name) return &option;
    return nullptr;
}

}  // namespace

ParsedArguments parse_research_arguments(const std::vector<std::string>& args) {
    ParsedArguments parsed;
    auto& out = parsed.arguments;
    std::vector<std::string> positional;
    bool options_ended = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options_ended || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            options_ended = true;
            continue;
        }
        if (arg == "--quiet") {
            out.quiet = true;
            continue;
        }
        if (arg == "--classic-count") {
            out.classic_count = true;
            continue;
        }
        if (arg == "--help") {
            out.help = true;
            continue;
        }
        const auto equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const ValueOption* option = find_value_option(name);
        if (!option) {
            parsed.error = "unknown option '" + name + "' (see --help)";
            return parsed;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            parsed.error = "option " + name + " needs a value";
            return parsed;
        }
        if (option->numeric && !parse_int_strict(value)) {
            parsed.error = "option " + name + " needs a whole number, not '" + value + "'";
            return parsed;
        }
        out.*(option->field) = value;
    }
    if (out.help) return parsed;
    if (out.format && *out.format != "tsv" && *out.format != "json") {
        parsed.error = "option --format takes tsv or json, not '" + *out.format + "'";
        return parsed;
    }
    if (out.search_service && search_service_index(*out.search_service) < 0) {
        parsed.error = "unknown search service '" + *out.search_service + "' (one of " + search_service_names() + ")";
        return parsed;
    }
    if (positional.size() > 1) {
        parsed.error = "one keyword expected, got " + std::to_string(positional.size()) +
                       " (quote a keyword of several words)";
        return parsed;
    }
    if (positional.empty()) {
        if (!out.forums_file) parsed.error = "missing KEYWORD (see --help)";
        return parsed;
    }
    if (out.forums_file) {
        parsed.error = "--forums skips the search: give no KEYWORD with it";
        return parsed;
    }
    out.keyword = positional.front();
    return parsed;
}

std::string research_usage() {
    return "Usage: ravelmoot-research [OPTION]... KEYWORD\n"
           "       ravelmoot-research [OPTION]... --forums FILE\n"
           "Finds forums on KEYWORD through a web search, downloads every forum page and rates how busy\n"
           "each one is; writes the results table as a list file. At the end one summary line on\n"
           "standard error tells what the search and the forums gave.\n"
           "\n"
           "  --search-host HOST[:PORT]  where to ask the search service: a host for google (default\n"
           "                             www.google.com), an http:// or https:// address for the others\n"
           "  --search-service NAME      google (default), searx, brave, marginalia or duckduckgo; sets\n"
           "                             the search host to the service's own address unless given\n"
           "  --search-phrase TEXT       what goes before KEYWORD (default \"forum index\" with its quotes)\n"
           "  --dig N                    search depth in results (default 100); a page holds 100 at\n"
           "                             google and marginalia, 10 at searx, 20 at brave (10 pages at\n"
           "                             most); duckduckgo gives one page\n"
           "  --threads N                parallel downloads in the forum stage, 1 to 25 (default 2)\n"
           "  --attempts N               downloads allowed per forum page (default 5)\n"
           "  --timeout-normal MS        inactivity time-out while new pages are left (default 10000)\n"
           "  --timeout-advanced MS      inactivity time-out for retries (default 30000)\n"
           "  --results FILE             write the results table here (default: standard output)\n"
           "  --queue FILE               also write the download queue here\n"
           "  --forums FILE              skip the search; rate the forums listed in this list file\n"
           "  --classic-count            rate forum pages by their \"row2\" cells only, not by the\n"
           "                             counts that current forum engines show\n"
           "  --format tsv|json          standard output: tsv, the results table as a list file (default);\n"
           "                             json, one JSON object per forum and line (url, description,\n"
           "                             verdict, posts_average, posts_max, attempts, read_as, newest_post),\n"
           "                             also with --results\n"
           "  --quiet                    do not print the download log (nor how each forum was read) nor the\n"
           "                             progress display\n"
           "  --help                     print this help and exit\n"
           "\n"
           "On a terminal, standard error shows a progress display that rewrites itself.\n"
           "\n"
           "The API key of a search service (Brave Search API, Marginalia Search) is read from the\n"
           "environment variable RAVELMOOT_SEARCH_KEY, never from the command line, where other users\n"
           "of the machine can read it. Marginalia uses the shared key \"public\" when none is set.\n"
           "\n"
           "Exit status:\n"
           "  0    at least one forum was rated\n"
           "  2    bad arguments, or a list file that cannot be read or written\n"
           "  3    the search collected no link: the service could not be reached, or answered without\n"
           "       links (the summary says which)\n"
           "  4    forums were listed, but none of them could be rated\n"
           "  130  interrupted (the results so far are still written)\n";
}
