#include "analysis/forum_engines/smf_board_counts.h"

#include "analysis/forum_engines/board_number.h"
#include "analysis/forum_engines/engine_marks.h"
#include "analysis/html_markup.h"

std::vector<std::int32_t> smf_board_counts(std::string_view cell, SmfCountHolder holder) {
    std::vector<std::int32_t> counts;
    bool other_text = false;
    std::size_t runs = 0;
    for_each_text_run(cell, [&](std::string_view run) {
        ++runs;
        if (const auto value = parse_labelled_number(run)) counts.push_back(*value);
        else if (holder == SmfCountHolder::Cell || run.find_first_of("0123456789") != std::string_view::npos)
            other_text = true;
    });
    const bool bare_number =
        holder == SmfCountHolder::Cell && runs == 1 && parse_board_number(first_text(cell)).has_value();
    if (other_text || !(counts.size() == 2 || bare_number)) counts.clear();
    return counts;
}

bool is_smf_page(std::string_view page) { return holds_any(page, {"smf_scripturl"}); }

bool is_smf21_page(std::string_view page) {
    return is_smf_page(page) && holds_any(page, {"smf_smileys_url", "smf_member_id", "up_contain", "board_stats"});
}

PageShape smf_page_kind(std::string_view page) {
    if (holds_any(page, {"id=\"forumposts\""})) return {PageKind::TopicPage};
    if (const std::size_t topics = page.find("id=\"messageindex\""); topics != std::string_view::npos)
        return {PageKind::ForumPage, topics};
    if (holds_any(page, {"id=\"boardindex_table\""})) return {PageKind::BoardIndex};
    // 1.1 and themes of 2.0 without those ids: the reply link (action=post;topic=N.0); the message
    // index's topic subjects (<span id="msg_N">, where its topic list begins) or, on a board without
    // topics, its new topic link (action=post;board=N.0).
    if (holds_any(page, {"action=post;topic=", "action=post;quote="})) return {PageKind::TopicPage};
    if (const std::size_t topics = page.find("<span id=\"msg_");
        topics != std::string_view::npos || holds_any(page, {"action=post;board="}))
        return {PageKind::ForumPage, topics};
    return {};
}
