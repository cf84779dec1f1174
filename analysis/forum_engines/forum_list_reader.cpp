#include "analysis/forum_engines/forum_list_reader.h"

#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/forum_list_captions.h"
#include "analysis/forum_engines/forum_list_links.h"
#include "analysis/forum_engines/last_post_cell.h"
#include "analysis/html_markup.h"
#include "analysis/number_text.h"
#include "analysis/popularity.h"

#include <array>
#include <functional>
#include <unordered_set>
#include <vector>

namespace {

constexpr auto npos = std::string_view::npos;

// Bounds that keep a hostile page from costing more than a pass and a little memory: tables
// nested deeper are read as the cells of the deepest; columns beyond the last are one column; a
// forum's counts stand within kRowReach bytes of its link; a board lists fewer forums than kMostRows.
constexpr std::size_t kTableDepth = 32;
constexpr int kMostColumns = 32;
constexpr std::size_t kRowReach = 6144;
constexpr std::size_t kMostRows = 8192;
// Captions and counts are short texts: a longer run is neither.
constexpr std::size_t kLongestRun = 64;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The name of the tag that starts at tag[0] == '<', lower case, at most 8 letters; closing says
// whether it is an end tag.
std::string_view tag_name(std::string_view tag, bool& closing, std::array<char, 8>& buffer) {
    std::size_t i = 1;
    closing = i < tag.size() && tag[i] == '/';
    if (closing) ++i;
    std::size_t n = 0;
    for (; i < tag.size() && n < buffer.size(); ++i, ++n) {
        const char c = lower(tag[i]);
        if (!((c >= 'a' && c <= 'z') || is_digit(c))) break;
        buffer[n] = c;
    }
    return {buffer.data(), n};
}

// An attribute of a tag whatever the letter case of its name (old boards write HREF and COLSPAN).
std::string_view any_case_attribute(std::string_view tag, std::string_view name, std::string_view upper_name) {
    const std::string_view value = attribute(tag, name);
    return value.empty() ? attribute(tag, upper_name) : value;
}

struct Count {
    CaptionKind kind = CaptionKind::None;
    std::int32_t value = 0;
    std::string_view caption;
};

// A forum's counts by kind; a second, different figure under one caption makes the row ambiguous.
struct RowCounts {
    std::optional<Count> topics, posts, replies;
    bool conflict = false;

    void add(const Count& count) {
        std::optional<Count>& slot = count.kind == CaptionKind::Topics ? topics : count.kind == CaptionKind::Posts ? posts : replies;
        if (!slot) slot = count;
        else if (slot->value != count.value) conflict = true;
    }
    bool any() const { return topics || posts || replies; }
};

struct ForumRow {
    std::size_t start;
    std::size_t end;
    std::optional<Count> topics, posts;
    int shape() const { return (topics ? 1 : 0) | (posts ? 2 : 0); }
};

// One table of the page: the caption of each column as its last header row named it, and where
// its current row and cell stand.
struct Table {
    std::array<Count, kMostColumns> header{};
    int column = 0;
    int next_column = 0;
    std::uint64_t row = 0;
    bool header_row = false;  // a caption of the current row has replaced the previous header
    // The current cell: how many captions stand alone in it, the last of them, whether it holds a count.
    int captions = 0;
    Count caption;
    bool counted = false;
};

class ListScan {
public:
    explicit ListScan(std::string_view page) : page_(page) {}

    void run();
    std::optional<ForumFigures> figures(std::optional<std::int64_t> download_time) const;

private:
    void on_tag(std::string_view tag, std::string_view name, std::size_t at);
    void on_text(std::string_view run, std::size_t at);
    void on_link(std::string_view href, std::size_t at);
    void on_caption(CaptionKind kind, std::string_view text);
    void on_number(std::int32_t value, std::size_t at);
    void take(const Count& count, std::size_t at);
    void settle_pending();
    void end_cell();
    void open_row(std::size_t at, bool topic);
    void close_row(std::size_t at);
    Table* table() { return tables_.empty() ? nullptr : &tables_.back(); }

    std::string_view page_;
    std::vector<Table> tables_;  // at most kTableDepth; deeper ones are only counted, in too_deep_
    std::size_t too_deep_ = 0;
    std::uint64_t rows_seen_ = 0;

    // The row being read: from its link to the next link or to the next row of its table.
    bool row_open_ = false;
    bool row_topic_ = false;
    bool row_topic_link_ = false;  // a topic's link has followed the forum row's counts
    bool row_repeat_ = false;
    std::size_t row_href_ = 0;
    std::unordered_set<std::size_t> counted_forums_;  // the links of counted rows, at most kMostRows
    std::size_t row_start_ = 0;
    std::size_t row_depth_ = 0;
    std::uint64_t row_tr_ = 0;
    RowCounts row_counts_;

    // The last text run, where it may label the next or be labelled by it.
    std::optional<Count> caption_before_;
    std::optional<std::pair<std::int32_t, std::size_t>> number_before_;
    int number_column_ = -1;
    std::size_t number_depth_ = 0;
    bool skip_next_run_ = false;
    // Within a forum's link: its name, never a caption ("Themes" may name a forum).
    bool in_row_link_ = false;

    std::vector<ForumRow> rows_;
    std::size_t topic_rows_ = 0;
    std::size_t ambiguous_rows_ = 0;
    bool topic_captions_ = false;
    bool too_many_rows_ = false;
};

void ListScan::run() {
    std::size_t pos = 0;
    while (pos < page_.size()) {
        const std::size_t open = page_.find('<', pos);
        if (open != pos) on_text(page_.substr(pos, open == npos ? npos : open - pos), pos);
        if (open == npos) break;
        if (page_.substr(open, 4) == "<!--") {
            const std::size_t end = page_.find("-->", open + 4);
            pos = end == npos ? page_.size() : end + 3;
            continue;
        }
        const std::size_t close = page_.find('>', open);
        if (close == npos) break;
        const std::string_view tag = page_.substr(open, close + 1 - open);
        pos = close + 1;
        bool closing = false;
        std::array<char, 8> buffer{};
        const std::string_view name = tag_name(tag, closing, buffer);
        // A script's or style's text is none of the list's; its end is looked for once.
        if (!closing && (name == "script" || name == "style")) {
            std::size_t end = page_.find("</", pos);
            for (; end != npos; end = page_.find("</", end + 2)) {
                bool end_closing = false;
                std::array<char, 8> end_buffer{};
                if (tag_name(page_.substr(end, 10), end_closing, end_buffer) == name) break;
            }
            pos = end == npos ? page_.size() : end;
            continue;
        }
        if (closing) {
            if (name == "a") in_row_link_ = false;
            if (name == "td" || name == "th" || name == "tr") end_cell();
            if (name == "table") {
                end_cell();
                if (too_deep_ > 0) --too_deep_;
                else if (!tables_.empty()) tables_.pop_back();
                if (row_open_ && tables_.size() < row_depth_) close_row(open);
            }
            continue;
        }
        on_tag(tag, name, open);
    }
    close_row(page_.size());
}

void ListScan::on_tag(std::string_view tag, std::string_view name, std::size_t at) {
    if (name == "table") {
        end_cell();
        if (tables_.size() >= kTableDepth) ++too_deep_;
        else tables_.emplace_back();
        return;
    }
    if (name == "tr") {
        end_cell();
        settle_pending();
        caption_before_.reset();
        if (Table* t = table()) {
            t->column = t->next_column = 0;
            t->row = ++rows_seen_;
            t->header_row = false;
            if (row_open_ && tables_.size() <= row_depth_) close_row(at);
        }
        return;
    }
    if (name == "td" || name == "th") {
        end_cell();
        settle_pending();
        caption_before_.reset();
        if (Table* t = table()) {
            const auto span = parse_int_strict(any_case_attribute(tag, "colspan", "COLSPAN"));
            t->column = t->next_column;
            t->next_column = std::min(kMostColumns - 1, t->next_column + (span && *span > 1 ? std::min(*span, kMostColumns) : 1));
        }
        return;
    }
    // A heading or a new section after a forum's counts: its row has ended (the sidebar's
    // totals that may follow are no forum's).
    if ((name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6') || name == "section" ||
        name == "aside" || name == "footer") {
        if (row_open_ && row_counts_.any()) close_row(at);
        return;
    }
    if (name == "a") {
        const std::string_view href = any_case_attribute(tag, "href", "HREF");
        if (!href.empty()) on_link(href, at);
        return;
    }
    // A count shown short ("6万", "1.2K") gives its exact figure in a tooltip.
    if (name == "img" || tag.find("title") == npos) return;
    const std::string_view title = attribute(tag, "title");
    if (title.empty() || title.size() > 16 || !is_digit(title.front())) return;
    if (const auto value = parse_board_number(title)) {
        on_number(*value, at);
        skip_next_run_ = true;
    }
}

void ListScan::on_link(std::string_view href, std::size_t at) {
    const ListLink kind = list_link_kind(href);
    if (kind == ListLink::Other) return;
    if (kind == ListLink::Topic && row_open_ && !row_topic_) {
        // A forum row's last-post cell links its topic, before its counts (in the same table row)
        // or after them: the row stays the forum's, but a count behind such a link is a topic's.
        const bool same_table_row = row_depth_ > 0 && tables_.size() >= row_depth_ && tables_[row_depth_ - 1].row == row_tr_;
        if (!same_table_row && row_counts_.any()) row_topic_link_ = true;
        return;
    }
    open_row(at, kind == ListLink::Topic);
    in_row_link_ = kind == ListLink::Forum;
    // A forum whose counts a row has shown already, linked again (from a sidebar, a "recent
    // posts" box): what follows is no row of the list.
    row_href_ = std::hash<std::string_view>()(href);
    row_repeat_ = kind == ListLink::Forum && counted_forums_.contains(row_href_);
}

void ListScan::open_row(std::size_t at, bool topic) {
    close_row(at);
    row_open_ = true;
    row_topic_ = topic;
    row_topic_link_ = false;
    row_repeat_ = false;
    row_href_ = 0;
    row_start_ = at;
    row_depth_ = tables_.size();
    row_tr_ = tables_.empty() ? 0 : tables_.back().row;
    row_counts_ = RowCounts();
    caption_before_.reset();
    number_before_.reset();
}

void ListScan::close_row(std::size_t at) {
    settle_pending();
    if (!row_open_) return;
    row_open_ = false;
    RowCounts counts = row_counts_;
    if (!counts.any() || row_repeat_) return;
    if (row_topic_) {
        ++topic_rows_;
        return;
    }
    // Replies stand for a forum's posts only beside its topics; alone they are a topic's.
    if (counts.replies) {
        if (!counts.topics || counts.posts) {
            ++topic_rows_;
            return;
        }
        counts.posts = counts.replies;
    }
    if (counts.conflict) {
        ++ambiguous_rows_;
        return;
    }
    if (rows_.size() >= kMostRows) {
        too_many_rows_ = true;
        return;
    }
    rows_.push_back({row_start_, at, counts.topics, counts.posts});
    counted_forums_.insert(row_href_);
}

void ListScan::on_text(std::string_view run, std::size_t at) {
    if (run.find_first_not_of(" \t\r\n") == npos) return;
    if (skip_next_run_) {
        skip_next_run_ = false;
        return;
    }
    const std::size_t first = run.find_first_not_of(" \t\r\n");
    const std::size_t last = run.find_last_not_of(" \t\r\n");
    const std::string_view text = run.substr(first, last + 1 - first);
    if (text.size() > kLongestRun) {
        settle_pending();
        caption_before_.reset();
        return;
    }
    if (const CaptionKind kind = caption_kind(text); kind != CaptionKind::None) {
        // A topic list's captions may be sort links ("Views" leads to the list sorted by views).
        if (!in_row_link_) on_caption(kind, text);
        else if (kind == CaptionKind::Views || kind == CaptionKind::Author) topic_captions_ = true;
        return;
    }
    const auto value = parse_labelled_number(text);
    if (!value) {
        settle_pending();
        caption_before_.reset();
        return;
    }
    // The label is what stands beside the number's digits ("Threads: 79", "54725 Posts").
    const std::size_t digits = text.find_first_of("0123456789");
    const std::size_t digits_end = text.find_last_of("0123456789") + 1;
    const std::string_view before = text.substr(0, digits);
    const std::string_view label = caption_kind(before) != CaptionKind::None ? before : text.substr(digits_end);
    const CaptionKind kind = caption_kind(label);
    if (kind == CaptionKind::None && !trimmed_caption(label).empty()) {
        settle_pending();
        caption_before_.reset();
        return;
    }
    if (kind != CaptionKind::None) {
        settle_pending();
        caption_before_.reset();
        take({kind, *value, label}, at);
        return;
    }
    on_number(*value, at);
}

void ListScan::on_caption(CaptionKind kind, std::string_view text) {
    if (kind == CaptionKind::Views || kind == CaptionKind::Author) topic_captions_ = true;
    // A number just before its caption ("2,201 <dd>Discussions"): the caption labels it.
    if (number_before_) {
        const auto [value, at] = *number_before_;
        number_before_.reset();
        take({kind, value, text}, at);
        return;
    }
    caption_before_ = Count{kind, 0, text};
    if (Table* t = table()) {
        ++t->captions;
        t->caption = {kind, 0, text};
    }
}

void ListScan::on_number(std::int32_t value, std::size_t at) {
    settle_pending();
    if (caption_before_) {
        Count count = *caption_before_;
        caption_before_.reset();
        if (Table* t = table()) --t->captions;
        count.value = value;
        take(count, at);
        return;
    }
    number_before_ = {value, at};
    Table* t = table();
    number_column_ = t ? t->column : -1;
    number_depth_ = tables_.size();
}

// A number no label stands beside counts by its column's caption.
void ListScan::settle_pending() {
    if (!number_before_) return;
    const auto [value, at] = *number_before_;
    number_before_.reset();
    Table* t = table();
    if (!t || number_depth_ != tables_.size() || number_column_ < 0) return;
    const Count& caption = t->header[static_cast<std::size_t>(number_column_)];
    if (caption.kind != CaptionKind::None) take({caption.kind, value, caption.caption}, at);
}

void ListScan::take(const Count& count, std::size_t at) {
    if (Table* t = table()) t->counted = true;
    if (count.kind == CaptionKind::Views || count.kind == CaptionKind::Author) {
        topic_captions_ = true;
        return;
    }
    if (!row_open_ || at > row_start_ + kRowReach) return;
    if (row_topic_link_) row_topic_ = true;
    row_counts_.add(count);
}

// A cell that holds one caption and no count is a header cell: its caption names its column
// from here on, and the first of a row's header cells replaces the table's previous header.
void ListScan::end_cell() {
    Table* t = table();
    if (!t) return;
    if (t->captions == 1 && !t->counted) {
        if (!t->header_row) {
            t->header.fill(Count());
            t->header_row = true;
        }
        t->header[static_cast<std::size_t>(t->column)] = t->caption;
    }
    t->captions = 0;
    t->counted = false;
}

std::string caption_text(const std::optional<Count>& count) {
    return std::string(trimmed_caption(count ? count->caption : std::string_view()));
}

std::optional<ForumFigures> ListScan::figures(std::optional<std::int64_t> download_time) const {
    if (topic_captions_ || topic_rows_ > 0 || too_many_rows_) return std::nullopt;
    // The rows' common shape (topics and posts, or one of them); rows of another shape, or
    // ambiguous ones, beyond a few stragglers mean the numbers are not one list's columns.
    std::array<std::size_t, 4> shapes{};
    for (const ForumRow& row : rows_) ++shapes[static_cast<std::size_t>(row.shape())];
    int shape = 3;
    for (int s : {1, 2})
        if (shapes[static_cast<std::size_t>(s)] > shapes[static_cast<std::size_t>(shape)]) shape = s;
    const std::size_t forums = shapes[static_cast<std::size_t>(shape)];
    const std::size_t others = rows_.size() - forums + ambiguous_rows_;
    if (forums < 2 || others * 4 > forums) return std::nullopt;

    PostCounter counter;
    std::optional<NewestPost> newest;
    if (download_time) newest.emplace(*download_time, NumericDates::MonthFirstProven);
    const ForumRow* first = nullptr;
    for (const ForumRow& row : rows_) {
        if (row.shape() != shape) continue;
        if (!first) first = &row;
        if (row.topics) counter.add(row.topics->value);
        if (row.posts) counter.add(row.posts->value);
        if (newest) read_last_post_cell(page_.substr(row.start, std::min(row.end - row.start, kRowReach)), *newest);
    }
    ForumFigures figures;
    counter.fill(figures);
    figures.engine = "forum list";
    figures.engine_id = "generic";
    figures.page_kind = PageKind::BoardIndex;
    if (newest) figures.newest_post = newest->newest_day();
    std::string captions = caption_text(first->topics);
    if (first->topics && first->posts) captions += " / ";
    captions += caption_text(first->posts);
    figures.reading = "Read as a forum list: " + decimal_text(static_cast<std::int64_t>(forums)) + " forums, captions " + captions;
    return figures;
}

}  // namespace

std::optional<ForumFigures> read_forum_list(const PageLines& page, std::optional<std::int64_t> download_time) {
    ListScan scan(page.bytes());
    scan.run();
    return scan.figures(download_time);
}
