// Every page reader on each hostile page of tests/support/hostile_pages at one size (64 MB, the
// download cap, unless given in MB): the time all readers take together, the slowest one, and the
// process's peak memory. Usage: bench_hostile_pages [MB] [shape index]

#include "tests/support/hostile_pages.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void measure(const HostileShape& shape, std::size_t megabytes) {
    const PageLines page(hostile_page(shape, megabytes << 20));
    double total = 0, slowest = 0;
    std::string slowest_name;
    for (const NamedPageReader& reader : all_page_readers()) {
        const auto start = std::chrono::steady_clock::now();
        reader.read(page, reader.index);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        total += seconds;
        if (seconds > slowest) {
            slowest = seconds;
            slowest_name = reader.name;
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%-42s %3zu MB: all readers %7.3f s, slowest %7.3f s (%s); peak RSS %ld MB\n", shape.name, megabytes,
                total, slowest, slowest_name.c_str(), usage.ru_maxrss / 1024);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 64;
    const auto shapes = hostile_shapes();
    if (argc > 2) {
        measure(shapes[std::strtoul(argv[2], nullptr, 10) % shapes.size()], megabytes);
        return 0;
    }
    for (const HostileShape& shape : shapes) measure(shape, megabytes);
    return 0;
}
