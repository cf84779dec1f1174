#include "analysis/forum_engines/engine_marks.h"
#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/json_scan.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"

#include <set>

// What a Flarum page can tell without running its scripts. The markup it renders on the server
// is an empty application shell with the forum's title linked home (<a id="home-link">); the
// content for crawlers and clients without scripts (<noscript id="flarum-content">, a plain
// <div class="container"> from 2.0 on) lists discussions by title and link only: no counts, no
// dates. Everything else is in the JSON the page hands its scripts (<script id="flarum-json-payload">,
// before 2.0 the argument of flarum.core.app.load(...)): "resources" (the forum and, with the tags
// extension, every visible tag) and "apiDocument" (what the page shows). Tags are Flarum's forums:
// each has a discussionCount (topics; Flarum counts no posts per tag) and a lastPostedAt, and
// discussions carry their own lastPostedAt. So the front page (the latest discussions) and the
// /tags page both give the topics of each primary tag and the board's newest post; a board
// without the tags extension gives its newest post only. A child tag's discussions are its
// parent's too, and secondary tags hold discussions of the primary ones, so only top-level
// primary tags (a position, not a child) count.

namespace {

constexpr auto npos = std::string_view::npos;

bool recognises(std::string_view page) {
    return holds_any(page, {"id=\"flarum-json-payload\"", "flarum.core.app.load(", "id=\"flarum-loading\""});
}

std::string_view payload(std::string_view page) {
    for (std::string_view mark : {"id=\"flarum-json-payload\"", "flarum.core.app.load("})
        if (const std::string_view data = object_behind(page, mark); !data.empty()) return data;
    return {};
}

// Calls visit(type, id, attributes) for every resource of the payload: the preloaded resources,
// and the API document's data (one or a list) and included ones.
template <typename Visit>
void for_each_resource(std::string_view data, Visit visit) {
    const auto each = [&](std::string_view resource) {
        visit(json_string_text(json_member(resource, "type")), json_member(resource, "id"),
              json_member(resource, "attributes"));
    };
    for (std::string_view resource : json_items(json_member(data, "resources"))) each(resource);
    const std::string_view document = json_member(data, "apiDocument");
    const std::string_view shown = json_member(document, "data");
    if (shown.starts_with('{')) each(shown);
    for (std::string_view resource : json_items(shown)) each(resource);
    for (std::string_view resource : json_items(json_member(document, "included"))) each(resource);
}

// Each top-level primary tag's discussionCount, once however often the payload holds it.
void count(const PageLines& page, PostCounter& counter) {
    std::set<std::string_view> seen;
    for_each_resource(payload(page.bytes()), [&](std::string_view type, std::string_view id, std::string_view tag) {
        if (type != "tags" || json_member(tag, "isChild").starts_with("true") || json_count(json_member(tag, "position")) == std::nullopt)
            return;
        if (!seen.insert(id).second) return;
        if (const auto value = json_count(json_member(tag, "discussionCount"))) counter.add(*value);
    });
}

// The newest lastPostedAt of the tags and discussions the payload holds.
std::string newest_post(const PageLines& page, std::int64_t download_time) {
    NewestPost newest(download_time, NumericDates::None);
    for_each_resource(payload(page.bytes()), [&](std::string_view type, std::string_view, std::string_view attributes) {
        if (type == "tags" || type == "discussions") newest.take_iso(json_string_text(json_member(attributes, "lastPostedAt")));
    });
    return newest.newest();
}

// The API document shows one discussion on its page, the list of tags on /tags; a list of
// discussions (the front page, or one tag's) reads as the board's index.
PageShape page_kind(std::string_view page) {
    const std::string_view shown = json_member(json_member(payload(page), "apiDocument"), "data");
    if (shown.starts_with('{')) {
        return json_string_text(json_member(shown, "type")) == "discussions" ? PageShape{PageKind::TopicPage} : PageShape{};
    }
    const auto items = json_items(shown);
    if (!items.empty() && json_string_text(json_member(items.front(), "type")) == "tags") return {PageKind::BoardIndex};
    return {};
}

// The header's title links the front page: <a href="https://host/" id="home-link">.
std::string_view board_index_link(std::string_view page) { return href_of_anchor_holding(page, "id=\"home-link\""); }

}  // namespace

const ForumEngine forum_engine::flarum = {"flarum", "Flarum", recognises, count, newest_post, page_kind, board_index_link};
