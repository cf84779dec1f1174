#include "runner/research_outputs.h"

#include "model/console/list_file.h"

std::string output_refusal(const ResearchArguments& arguments) {
    for (const auto* file : {&arguments.results_file, &arguments.queue_file}) {
        if (!*file) continue;
        try {
            check_list_file_writable(**file);
        } catch (const std::exception& error) {
            return "cannot write " + **file + ": " + error.what();
        }
    }
    return "";
}
