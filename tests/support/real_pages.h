#pragma once

#include <string>

// The real pages of the shared fixture folder, read at test time (never copied into the project).
bool real_pages_present();
// The bytes of one real page; empty when the file cannot be read.
std::string read_real_page(const std::string& name);
