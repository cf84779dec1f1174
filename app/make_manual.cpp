// Build tool: writes the runner's manual page from its template, the line "@OPTIONS@" replaced
// by the option table's paragraphs. Usage: ravelmoot-manual TEMPLATE OUTPUT
#include "app/program_options.h"

#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: ravelmoot-manual TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    std::ostringstream manual;
    bool placed = false;
    for (std::string line; std::getline(in, line);) {
        if (line == "@OPTIONS@") {
            manual << options_manual();
            placed = true;
        } else {
            manual << line << '\n';
        }
    }
    if (!in.eof() || !placed) {
        std::cerr << "ravelmoot-manual: cannot read " << argv[1] << " or it has no @OPTIONS@ line\n";
        return 1;
    }
    std::ofstream out(argv[2]);
    out << manual.str();
    return out.flush() ? 0 : 1;
}
