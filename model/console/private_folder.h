#pragma once

#include <string>

// Creates folder and any missing folders above it, each private to the user (owner only): they
// hold downloaded pages, which are nobody else's business. Folders that exist are left as they
// are. True when folder is a folder afterwards. Event-loop thread.
bool make_private_folders(const std::string& folder);

// Removes the folders in `parent` named `<prefix><pid>-<anything>` that are this user's (not
// links) and whose process <pid> has ended: what a program left behind when it was killed before
// it could tidy up. Anyone else's folder, and one of a living process, stays. How many went.
int remove_dead_process_folders(const std::string& parent, const std::string& prefix);
