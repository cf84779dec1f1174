#pragma once

#include <string>

// Whether `url` answers with a success status within `timeout_ms`, asked directly (no proxy).
// Blocks: for a program's start, before its event loop runs.
bool http_answers(const std::string& url, long timeout_ms);
