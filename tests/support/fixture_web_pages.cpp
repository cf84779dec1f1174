#include "tests/support/fixture_web_pages.h"

#include <QDateTime>

namespace fixture_web {

const std::vector<Forum>& forums() {
    static const std::vector<Forum> all = {
        {"alpha", "<b>Alpha</b> forum index", "Alpha forum index", Behaviour::Counts, {10, 20, 35}, "Good", "21", "35"},
        {"beta", "Beta <b>board</b>", "Beta board", Behaviour::Counts, {1234, 7}, "Good", "620", "1234"},
        {"gamma", "Gamma", "Gamma", Behaviour::Counts, {0, 0}, "Good", "0", "0"},
        {"delta", "Delta", "Delta", Behaviour::Counts, {100, 200}, "Good", "150", "200"},
        {"epsilon", "Epsilon", "Epsilon", Behaviour::GoodAtSecondTry, {5, 6}, "Good", "5", "6"},
        {"zeta", "Zeta", "Zeta", Behaviour::NotFound, {}, "", "", ""},
        {"eta", "Eta", "Eta", Behaviour::Stall, {}, "", "", ""},
        {"theta", "Theta", "Theta", Behaviour::EmptyBody, {}, "Fatal", "", ""},
        {"iota", "Iota", "Iota", Behaviour::NoCounts, {}, "Fatal", "", ""},
    };
    return all;
}

namespace {

std::string result_line(const std::string& href, const std::string& text) {
    return "<div class=\"g\"><h3 class=\"r\"><a href=\"" + href + "\">" + text + "</a></h3></div>\n";
}

}  // namespace

std::string search_page(const std::string& host, int start_offset) {
    const auto& all = forums();
    std::string page =
        "<html><head><title>\"forum index\" - Search</title></head>\n<body>\n"
        "<p>About 9 results</p>\n";
    auto forum_url = [&](const Forum& f) { return "http://" + host + "/" + f.name + "/index.php"; };
    if (start_offset == 0) {
        page += result_line(forum_url(all[0]), all[0].link_text);
        // A topic link stands for its forum's index page.
        page += result_line("http://" + host + "/beta/viewtopic.php?t=12", all[1].link_text);
        page += result_line("http://www.google.com/search?q=more", "More results");
        page += result_line(forum_url(all[2]), all[2].link_text);
        page += result_line(forum_url(all[1]), "Beta again");
        page += result_line(forum_url(all[3]), all[3].link_text);
    } else {
        for (std::size_t i = 4; i < all.size(); ++i) page += result_line(forum_url(all[i]), all[i].link_text);
        page += result_line("http://" + host + "/alpha/viewtopic.php?t=1", "Alpha topic");
    }
    page += "<a href=\"/search?start=100\">Next</a>\n</body></html>\n";
    return page;
}

std::string forum_page(const Forum& forum, bool with_counts) {
    std::string page =
        "<html><head><title>" + forum.name + " :: Index</title></head>\n<body>\n"
        "<table class=\"forumline\" width=\"100%\">\n"
        "<tr><th class=\"thCornerL\">Forum</th><th class=\"thTop\">Topics</th><th class=\"thTop\">Posts</th></tr>\n";
    if (with_counts) {
        for (int count : forum.counts) {
            // The count stands in the row's first cell, as the analysis reads it.
            page += "<tr><td class=\"row2\" align=\"center\" valign=\"middle\"><span class=\"gensmall\">" +
                    std::to_string(count) + "</span></td><td class=\"row1\"><a href=\"viewforum.php\">General</a></td>\n"
                    "<td class=\"row2\"><span class=\"gensmall\">Today, 09:15 am</span></td></tr>\n";
        }
    } else {
        page += "<tr><td class=\"row1\">No forums yet</td></tr>\n";
    }
    page += "</table>\n</body></html>\n";
    return page;
}

std::string newest_post(const Forum& forum) {
    if (forum.average.empty()) return "";
    return QDateTime::currentDateTimeUtc().addDays(-kServerDaysBehind).date().toString(Qt::ISODate).toStdString();
}

}  // namespace fixture_web
