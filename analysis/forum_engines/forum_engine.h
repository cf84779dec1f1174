#pragma once

#include "analysis/forum_figures.h"
#include "analysis/page_lines.h"
#include "analysis/popularity.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// A page's kind as its engine's markup tells it. On a forum page, topic_list is where its topic
// list begins: only what stands before it (sub-forum rows) is counted; npos counts the whole page.
struct PageShape {
    PageKind kind = PageKind::Other;
    std::size_t topic_list = std::string_view::npos;
};

// One forum engine: everything the program knows of its pages, written once, in the engine's own
// file (engine_<id>.cpp). Pure functions of the page.
struct ForumEngine {
    // Stable, for programs that read the results ("mybb"); never shown.
    std::string_view id;
    // Shown in the log and as the runner's read_as ("MyBB 1.8").
    std::string_view name;
    // Whether the page carries the engine's own marks (its <html id>, a generator <meta>, script
    // variables, characteristic containers), whether or not its counts can be read.
    bool (*recognises)(std::string_view page);
    // Adds the counts of the forums its board index lists; a page that is not the engine's, or
    // shows no whole number where the engine puts its counts, adds none.
    void (*count)(const PageLines& page, PostCounter& counter);
    // The date of the newest post the forums' last-post cells show, "YYYY-MM-DD", or empty. Only
    // those cells count: never the board's clock, statistics, "who is online" or a topic list.
    // download_time (seconds since 1970) is what "Today" and "5 hours ago" count from.
    std::string (*newest_post)(const PageLines& page, std::int64_t download_time);
    // The page's kind, asked only of a page the engine recognises; Other where its markup does not
    // tell. Topic rows' replies and views, post numbers and suggested topics never count.
    PageShape (*page_kind)(std::string_view page);
    // The href of the link to the board index (the engine's own index link, else the breadcrumb's
    // first link) as the page writes it; empty when there is none.
    std::string_view (*board_index_link)(std::string_view page);
};

// The engines in the order they are tried: the verified ones first, so that a reader built from
// templates alone never takes a page that a verified one reads. A new engine is one line here.
#define RAVELMOOT_FORUM_ENGINES(ENGINE) \
    ENGINE(phpbb3)                      \
    ENGINE(xenforo2)                    \
    ENGINE(xenforo1)                    \
    ENGINE(vbulletin4)                  \
    ENGINE(vbulletin3)                  \
    ENGINE(invision4)                   \
    ENGINE(ipboard3)                    \
    ENGINE(mybb)                        \
    ENGINE(smf1)                        \
    ENGINE(discuzx)                     \
    ENGINE(smf21)                       \
    ENGINE(fluxbb)                      \
    ENGINE(punbb)                       \
    ENGINE(vbulletin5)                  \
    ENGINE(vanilla)                     \
    ENGINE(nodebb)                      \
    ENGINE(discourse)                   \
    ENGINE(woltlab)                     \
    ENGINE(bbpress)                     \
    ENGINE(kunena)                      \
    ENGINE(proboards)                   \
    ENGINE(forumotion)                  \
    ENGINE(flarum)

namespace forum_engine {
#define RAVELMOOT_DECLARE_FORUM_ENGINE(id) extern const ForumEngine id;
RAVELMOOT_FORUM_ENGINES(RAVELMOOT_DECLARE_FORUM_ENGINE)
#undef RAVELMOOT_DECLARE_FORUM_ENGINE
}  // namespace forum_engine

std::span<const ForumEngine* const> forum_engines();
