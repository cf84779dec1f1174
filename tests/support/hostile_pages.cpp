#include "tests/support/hostile_pages.h"

#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/forum_list_reader.h"
#include "analysis/forum_engines/forum_page.h"
#include "analysis/search_service.h"

namespace {

// The issue inputs of the faults found first come first; then each reader family's own markup,
// left open or nested. A reader added later needs its own markup here only when none of these
// shapes holds the markers it looks for.
constexpr HostileShape kShapes[] = {
    {"vBulletin 3 cells left open", "", "<td class=\"alt1\">1", ""},
    {"anchors left open", "", "<a x>", ""},
    {"index link marks outside anchors", "<div id=\"pt\">", "<b accesskey=\"1\" data-nav-id=\"forums\">", ""},
    {"NodeBB array closed by a brace", "", "window._ajaxifyData{\"categories\":[}]", ""},
    {"Discourse array closed by a brace", "",
     "<div data-preloaded=\"{&quot;category_list&quot;:{&quot;categories&quot;:[}]}\"></div>", ""},
    {"cells of many engines nested", "<html id=\"XF\">",
     "<td class=\"tc2 tc3 alt2 topics-count posts-count CountDiscussions CountComments trow1\" "
     "style=\"white-space: nowrap\"><span title=\"1\">",
     ""},
    {"stat boxes nested", "<html id=\"XF\">",
     "<div class=\"node-stats board_stats\"><ul class=\"forumstats\"><li>Posts: 1<dl><dd class=\"topics posts\">1 "
     "<dt class=\"ipsDataItem_stats_number\">1",
     ""},
    {"result anchors left open", "",
     "<a class=\"result__a\" href=\"//duckduckgo.com/l/?uddg=http%3A%2F%2Fexample.com%2Fforum%2F\">Forum <b>", ""},
    {"character references without end", "<a class=\"result__a\" href=\"http://example.com/", "&#&#x", "\">t</a>"},
    {"Google anchors left open on one line", "", "<a href=\"http://example.com/forum/\"><b>row2<td>1", ""},
    {"row2 lines", "", "<tr><td class=\"row2\">1</td><td><a href=\"http://example.com/forum/viewtopic.php\">x</a>\n",
     ""},
    {"JSON nested without end", "window._ajaxifyData = ", "{\"categories\":[[", ""},
    {"JSON arrays nested without end", "", "[", ""},
    {"JSON strings without end", "{\"results\":[{\"url\":\"http://example.com/\",\"title\":\"", "\\\"[{", ""},
    {"JSON results cut off", "{\"web\":{\"results\":[", "{\"url\":\"http://example.com/forum/\",\"title\":\"t\"},", ""},
    {"forum rows without end", "<table><tr><th>Topics</th><th>Posts</th></tr>",
     "<tr><td><a href=\"f.php?id=1\">F</a> Posts: 2</td><td>1</td><td><table><tr><td>3/27/01</td></tr></table>", ""},
    {"scripts and tables left open", "", "<script></x><TABLE><tr><th>Topics<a href=\"f?x\">", ""},
    {"entity-encoded JSON nested without end", "<div data-preloaded=\"{&quot;category_list&quot;:",
     "{&quot;categories&quot;:[", "\"></div>"},
};

void read_row2(const PageLines& page, std::size_t) { (void)read_row2_counts(page); }
// The whole record: its marks, its counts, its dates, its page kinds and board index link (counted from a fixed download time).
void read_engine(const PageLines& page, std::size_t i) {
    const ForumEngine& engine = *forum_engines()[i];
    (void)engine.recognises(page.bytes());
    PostCounter counter;
    engine.count(page, counter);
    (void)engine.newest_post(page, 1521541800);
    (void)engine.page_kind(page.bytes());
    (void)engine.board_index_link(page.bytes());
}
void read_answer(const PageLines& page, std::size_t i) { (void)search_services()[i].reader(page); }
void read_forum_list_structure(const PageLines& page, std::size_t) { (void)read_forum_list(page, 1521541800); }

}  // namespace

std::span<const HostileShape> hostile_shapes() { return kShapes; }

std::string hostile_page(const HostileShape& shape, std::size_t bytes) {
    const std::string_view piece = shape.piece;
    std::string page = shape.head;
    page.reserve(bytes + piece.size() + std::string_view(shape.tail).size());
    while (page.size() < bytes) page += piece;
    page += shape.tail;
    return page;
}

std::vector<NamedPageReader> all_page_readers() {
    std::vector<NamedPageReader> readers{{"row2 rule", read_row2, 0}, {"forum list structure reader", read_forum_list_structure, 0}};
    const auto engines = forum_engines();
    for (std::size_t i = 0; i < engines.size(); ++i)
        readers.push_back({std::string(engines[i]->name) + " record", read_engine, i});
    const auto services = search_services();
    for (std::size_t i = 0; i < services.size(); ++i)
        readers.push_back({std::string(services[i].name) + " answer reader", read_answer, i});
    return readers;
}
