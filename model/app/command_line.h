#pragma once

#include "model/app/program_options.h"

#include <string>
#include <vector>

struct ParsedCommandLine {
    OptionValues values;
    std::vector<std::string> positional;
    std::string error;  // one line for standard error; empty when the options are usable
};

// Reads the arguments after the program name with the program's options of the one table:
// "--name value" and "--name=value" both work, "--" ends the options, the last of a repeated
// option wins. Whole numbers, the search service's name and the language and region codes
// are checked here; what else makes
// sense together is the caller's to check.
ParsedCommandLine parse_command_line(Program program, const std::vector<std::string>& args);

class TForm1;

// Chooses the search the options ask for: the service first, which puts its own address into
// "Search host" (also when it was chosen already), then the host, the phrase, the language
// and the region given.
void apply_search_options(TForm1& form, const OptionValues& values);
