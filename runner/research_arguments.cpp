#include "runner/research_arguments.h"

#include "model/app/command_line.h"

ParsedArguments parse_research_arguments(const std::vector<std::string>& args) {
    ParsedCommandLine command_line = parse_command_line(Program::Runner, args);
    ParsedArguments parsed;
    auto& out = parsed.arguments;
    static_cast<OptionValues&>(out) = std::move(command_line.values);
    const auto& positional = command_line.positional;
    if (out.help) return parsed;
    if (!command_line.error.empty()) {
        parsed.error = std::move(command_line.error);
        return parsed;
    }
    if (out.format && *out.format != "tsv" && *out.format != "json" && *out.format != "csv") {
        parsed.error = "option --format takes tsv, json or csv, not '" + *out.format + "'";
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
    return std::string("Usage: ravelmoot-research [OPTION]... KEYWORD\n"
           "       ravelmoot-research [OPTION]... --forums FILE|-\n"
           "Finds forums on KEYWORD through a web search, downloads every forum page and rates how busy\n"
           "each one is; writes the results table as a list file, or as --format says. At the end\n"
           "one summary line on standard error tells what the search and the forums gave.\n"
           "\n") +
           options_usage(Program::Runner) +
           "\n"
           "On a terminal, standard error shows a progress display that rewrites itself.\n"
           "\n"
           "With none of the search options, the research asks the search the window remembers\n"
           "(service, host, phrase, language and region; never a key), and where that is Google or\n"
           "none, a searx: the one answering at http://127.0.0.1:8888, else a private one (Debian's\n"
           "searx, started on a free loopback port with settings made once as\n"
           "~/.config/ravelmoot/searx.yml, and stopped when the research ends). With any of them, it\n"
           "asks just what they say; --language and --region are not search options.\n"
           "\n"
           "The API key of a search service (Brave Search API, Marginalia Search) is read from the\n"
           "environment variable RAVELMOOT_SEARCH_KEY, never from the command line, where other users\n"
           "of the machine can read it. Marginalia uses the shared key \"public\" when none is set.\n"
           "\n"
           "Exit status:\n"
           "  0    at least one forum was rated \"Good\"\n"
           "  2    bad arguments (a number out of its range among them), or a list file that\n"
           "       cannot be read or written; an output that cannot be written is found\n"
           "       before anything is downloaded\n"
           "  3    the search collected no link: the service could not be reached, or answered without\n"
           "       links (the summary says which)\n"
           "  4    forums were listed, but none was rated \"Good\" (all \"Fatal\" or \"Bad Download\",\n"
           "       or never answered)\n"
           "  130  interrupted (the results so far are still written)\n";
}
