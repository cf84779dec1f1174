#pragma once

#include "analysis/page_lines.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

// Pages built to be the worst a reader can meet: cells and anchors left open, containers nested
// without end, broken JSON, references without their ';'. Each is a head, a piece repeated to the
// size asked for, and a tail. Shared by the tests and the benchmarks.
struct HostileShape {
    const char* name;
    const char* head;
    const char* piece;
    const char* tail;
};

std::span<const HostileShape> hostile_shapes();

// The shape's page of about `bytes` bytes (never less).
std::string hostile_page(const HostileShape& shape, std::size_t bytes);

// Every page reader of analysis/, each as a call that reads a page and drops what it read: the
// classic "row2" rule, the forum list structure reader, every forum engine reader and every
// search service's answer reader, taken
// from the lists the program itself uses, so that a reader added there is covered here too.
struct NamedPageReader {
    std::string name;
    void (*read)(const PageLines& page, std::size_t index);
    std::size_t index;  // which reader of its list
};

std::vector<NamedPageReader> all_page_readers();
