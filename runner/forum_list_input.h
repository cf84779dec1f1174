#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class ListView;

// One forum of a forum list: what a research takes of a row, and nothing else.
struct ListedForum {
    std::string url;
    std::string description;
};

// The forums of a list file's rows, in order: a queue, a results table or a search-results table
// alike, each row's URL and description by the header's captions; rows without a URL are left
// out. Rows with more fields than the header are noted, `name` naming the file.
std::vector<ListedForum> forums_of_list_file(std::string_view bytes, const std::function<void(const std::string&)>& note,
                                             const std::string& name);

// The forums that --forums names, into the queue as new rows: a list file, or plain URLs one a
// line (told apart by the first line: a list file's holds TABs), read from the file or, for "-",
// from `in` to its end. Each line of a URL list that is no http or https URL goes to `note`
// with its number and is skipped. Returns why nothing could be loaded, or "" when the queue
// holds the forums.
std::string load_forum_list(const std::string& source, std::FILE* in, ListView& queue,
                            const std::function<void(const std::string&)>& note);
