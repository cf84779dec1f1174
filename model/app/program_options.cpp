#include "model/app/program_options.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

using V = OptionValues;

constexpr auto kOptions = std::to_array<ProgramOption>({
    {.name = "search-host",
     .value_name = "HOST[:PORT]",
     .text = &V::search_host,
     .window = true,
     .help = "where to ask the search service: a host for google (default\n"
             "www.google.com), an http:// or https:// address for the others"},
    {.name = "search-service",
     .value_name = "NAME",
     .text = &V::search_service,
     .window = true,
     .help = "google, searx, brave, marginalia or duckduckgo; sets the search\n"
             "host to the service's own address unless given. With no search\n"
             "option: the search the window remembers, and where that is google\n"
             "or none, a searx (the one at 127.0.0.1:8888, else a private one)"},
    {.name = "search-phrase",
     .value_name = "TEXT",
     .text = &V::search_phrase,
     .window = true,
     .help = "what goes before the keyword (default \"forum index\" with its quotes)"},
    {.name = "language",
     .value_name = "CODE",
     .text = &V::language,
     .help = "narrow the results to a language: en, de, fr, es, it, pt, nl, pl,\n"
             "cs, hu, ru, sv, da, fi, tr, ja or ko; any narrows nothing (the\n"
             "default where the window remembers none). Marginalia takes none\n"
             "(the log says so)"},
    {.name = "region",
     .value_name = "CODE",
     .text = &V::region,
     .help = "narrow the results to a country: au, at, be, br, ca, cz, dk, fi, fr,\n"
             "de, hu, in, ie, it, jp, mx, nl, nz, pl, pt, ru, kr, es, se, ch, tr,\n"
             "gb, us; any narrows nothing (as for --language). searx and duckduckgo\n"
             "take a region with its main language when no language is given"},
    {.name = "dig",
     .value_name = "N",
     .text = &V::dig,
     .numeric = true,
     .min_value = 1,
     .help = "search depth in results, at least 1 (default 100); a page holds 100 at\n"
             "google and marginalia, 10 at searx, 20 at brave (10 pages at\n"
             "most); duckduckgo gives one page"},
    {.name = "threads",
     .value_name = "N",
     .text = &V::threads,
     .numeric = true,
     .min_value = 1,
     .max_value = 25,
     .help = "parallel downloads in the forum stage, 1 to 25 (default 2)"},
    {.name = "attempts",
     .value_name = "N",
     .text = &V::attempts,
     .numeric = true,
     .min_value = 1,
     .help = "downloads allowed per forum page, at least 1 (default 5)"},
    {.name = "timeout-normal",
     .value_name = "MS",
     .text = &V::timeout_normal,
     .numeric = true,
     .min_value = 0,
     .help = "inactivity time-out while new pages are left (default 10000;\n"
             "0: none)"},
    {.name = "timeout-advanced",
     .value_name = "MS",
     .text = &V::timeout_advanced,
     .numeric = true,
     .min_value = 0,
     .help = "inactivity time-out for retries (default 30000; 0: none)"},
    {.name = "per-site",
     .value_name = "N",
     .text = &V::per_site,
     .numeric = true,
     .min_value = 0,
     .max_value = 25,
     .help = "at most N downloads to one site at once, 0 to 25 (default 0: no limit)"},
    {.name = "user-agent",
     .value_name = "TEXT",
     .text = &V::user_agent,
     .help = "the User-Agent line sent with every download instead of the\n"
             "window's; an empty TEXT sends none"},
    {.name = "results",
     .value_name = "FILE",
     .text = &V::results_file,
     .help = "write the results here, in the --format chosen (default:\n"
             "standard output); checked before anything is downloaded"},
    {.name = "queue",
     .value_name = "FILE",
     .text = &V::queue_file,
     .help = "also write the download queue here, as a list file; checked before\n"
             "anything is downloaded"},
    {.name = "forums",
     .value_name = "FILE",
     .text = &V::forums_file,
     .help = "skip the search; rate every forum of FILE anew: a list file (a\n"
             "saved queue, results or search results; each row's URL and\n"
             "description), or one URL per line (blank lines and lines starting\n"
             "with # skipped); - reads standard input"},
    {.name = "classic-count",
     .flag = &V::classic_count,
     .help = "rate forum pages by their \"row2\" cells only, not by the\n"
             "counts that current forum engines show"},
    {.name = "no-board-index",
     .flag = &V::no_board_index,
     .help = "rate topic pages and forum pages without sub-forum figures as\n"
             "they are, instead of queueing their board index"},
    {.name = "format",
     .value_name = "tsv|json|csv",
     .text = &V::format,
     .help = "what --results or standard output gets: tsv, the results table\n"
             "as a list file (default); json, one JSON object per forum and\n"
             "line (url, description, verdict, posts_average, posts_max,\n"
             "attempts, read_as, newest_post, engine, reason); csv, the results\n"
             "table for spreadsheets (comma-separated, UTF-8, a header row, the\n"
             "engine and the reason added; a text that starts with = + - or @\n"
             "is written after an apostrophe, so that no spreadsheet runs it as\n"
             "a formula)"},
    {.name = "quiet",
     .flag = &V::quiet,
     .help = "do not print the download log (nor how each forum was read) nor the\n"
             "progress display"},
    {.name = "help", .flag = &V::help, .window = true, .help = "print this help and exit"},
});

std::string option_head(const ProgramOption& option) {
    std::string head = std::string("--") + option.name;
    if (option.value_name) head += std::string(" ") + option.value_name;
    return head;
}

// Roff reads '-' as a hyphen; options and their dashes are minus signs.
std::string roff_text(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '-') out += '\\';
        out += c;
    }
    return out;
}

}  // namespace

std::span<const ProgramOption> program_options() { return kOptions; }

bool takes_option(Program program, const ProgramOption& option) {
    return program == Program::Runner || option.window;
}

std::string options_usage(Program program) {
    std::size_t width = 0;
    for (const auto& option : kOptions)
        if (takes_option(program, option)) width = std::max(width, option_head(option).size());
    const std::string indent(2 + width + 2, ' ');
    std::string usage;
    for (const auto& option : kOptions) {
        if (!takes_option(program, option)) continue;
        const std::string head = option_head(option);
        usage += "  " + head + std::string(width - head.size() + 2, ' ');
        for (const char c : std::string_view(option.help)) usage += c == '\n' ? "\n" + indent : std::string(1, c);
        usage += '\n';
    }
    return usage;
}

std::string options_manual() {
    std::string manual;
    for (const auto& option : kOptions) {
        manual += ".TP\n";
        manual += option.value_name ? ".BI " + roff_text(std::string("--") + option.name) + " \" " + option.value_name + "\"\n"
                                    : ".B " + roff_text(std::string("--") + option.name) + "\n";
        std::string help = roff_text(option.help);
        std::replace(help.begin(), help.end(), '\n', ' ');
        manual += help + "\n";
    }
    return manual;
}
