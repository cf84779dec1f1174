#include "tests/support/real_pages.h"

#include <filesystem>
#include <fstream>
#include <sstream>

bool real_pages_present() { return std::filesystem::is_directory(RAVELMOOT_REAL_FIXTURES); }

std::string read_real_page(const std::string& name) {
    std::ifstream in(std::filesystem::path(RAVELMOOT_REAL_FIXTURES) / name, std::ios::binary);
    if (!in) return {};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
