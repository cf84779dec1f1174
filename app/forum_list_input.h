#pragma once

#include <cstdio>
#include <functional>
#include <string>

class ListView;

// The forums that --forums names, into the queue: a list file, or plain URLs one a line
// (told apart by the first line: a list file's holds TABs), read from the file or, for "-",
// from `in` to its end. Each line of a URL list that is no http or https URL goes to `note`
// with its number and is skipped. Returns why nothing could be loaded, or "" when the queue
// holds the forums.
std::string load_forum_list(const std::string& source, std::FILE* in, ListView& queue,
                            const std::function<void(const std::string&)>& note);
