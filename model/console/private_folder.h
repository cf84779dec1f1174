#pragma once

#include <string>

// Creates folder and any missing folders above it, each private to the user (owner only): they
// hold downloaded pages, which are nobody else's business. Folders that exist are left as they
// are. True when folder is a folder afterwards. Event-loop thread.
bool make_private_folders(const std::string& folder);
