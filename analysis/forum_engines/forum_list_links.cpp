#include "analysis/forum_engines/forum_list_links.h"

#include <array>
#include <string>

namespace {

// Addresses are matched in lower case; the first kAddressRead bytes tell.
constexpr std::size_t kAddressRead = 512;

// Parameter and path words of topic and post addresses, each matched where a word of the address
// begins ("read.php" is not in "thread.php"); a parameter ("t=") counts only behind '?', '&', ';'
// or "&amp;".
constexpr auto kTopicWords = std::to_array<std::string_view>({
    "viewtopic", "showthread", "showtopic", "showpost", "viewthread", "topic=", "topic_id=", "topic.",
    "/topic/", "/topics/", "/threads/", "/thread/", "/thread-", "thread=", "threadid=", "/posts/", "postid=",
    "goto=lastpost", "goto=newpost", "goto=last", "get_topic", "showflat", "showthreaded",
    "read.php", "readmsg", "msg=", "/t/", "/p/", "num=", "/topic,",
});
constexpr auto kTopicParameters = std::to_array<std::string_view>({"t", "p", "tid", "pid", "post", "message"});

constexpr auto kOtherWords = std::to_array<std::string_view>({
    "javascript:", "mailto:", "member.php", "memberlist", "/members/", "/member/", "profile", "/user/", "user.php",
    "showuser", "userid=", "/u/", ".rss", "rss.", "/rss", "type=rss", ".xml", "/feed", "unread", "markread",
    "mark=", "login", "logout", "register", "search.", "search?", "/search", "faq.", "help.", "action=who",
    "author=",
});
constexpr auto kOtherParameters = std::to_array<std::string_view>({"u", "uid", "userid", "mode"});

bool has_parameter(std::string_view address, std::string_view name) {
    for (std::size_t at = address.find(name); at != std::string_view::npos; at = address.find(name, at + 1)) {
        if (address.substr(at + name.size(), 1) != "=") continue;
        const std::string_view before = address.substr(0, at);
        if (before.ends_with('?') || before.ends_with('&') || before.ends_with(';')) return true;
    }
    return false;
}

bool holds_word(std::string_view address, std::string_view word) {
    for (std::size_t at = address.find(word); at != std::string_view::npos; at = address.find(word, at + 1)) {
        if (at == 0 || word.front() == '/') return true;
        const char before = address[at - 1];
        if (before == '/' || before == '?' || before == '&' || before == ';' || before == '=') return true;
    }
    return false;
}

}  // namespace

ListLink list_link_kind(std::string_view href) {
    href = href.substr(0, kAddressRead);
    std::string address(href);
    for (char& c : address)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (address.empty() || address.front() == '#') return ListLink::Other;
    // The fragment of a post ("#p123", "#post456") marks a topic's page.
    const std::size_t fragment = address.find('#');
    if (fragment != std::string::npos) {
        const std::string_view mark = std::string_view(address).substr(fragment + 1);
        if ((mark.starts_with("p") && mark.size() > 1 && mark[1] >= '0' && mark[1] <= '9') || mark.starts_with("post") ||
            mark.starts_with("msg") || mark == "new" || mark == "last" || mark == "lastpost")
            return ListLink::Topic;
    }
    const std::string_view text = std::string_view(address).substr(0, fragment);
    for (std::string_view word : kTopicWords)
        if (holds_word(text, word)) return ListLink::Topic;
    for (std::string_view name : kTopicParameters)
        if (has_parameter(text, name)) return ListLink::Topic;
    for (std::string_view word : kOtherWords)
        if (text.find(word) != std::string_view::npos) return ListLink::Other;
    for (std::string_view name : kOtherParameters)
        if (has_parameter(text, name)) return ListLink::Other;
    return ListLink::Forum;
}
