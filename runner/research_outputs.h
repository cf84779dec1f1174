#pragma once

#include "runner/research_arguments.h"

#include <string>

// Why a file the research will write (--results, --queue) cannot be written, found by making
// and removing a temporary file beside it: checked before anything is downloaded, so that no
// research runs for results that are then lost. "" when every one can be written.
std::string output_refusal(const ResearchArguments& arguments);
