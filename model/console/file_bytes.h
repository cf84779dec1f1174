#pragma once

#include <string>

// Whole-file reads and all-or-nothing writes for the console's commands. Callers turn the
// outcomes into their own messages. Event-loop thread; each call blocks until done.

enum class ReadOutcome {
    ok,
    missing_file,    // the folder exists, the file does not
    missing_folder,  // the folder named in the path does not exist
    not_readable,    // exists but is no regular file, or cannot be opened
    read_failed,     // opened, but reading stopped with an error
};

// Reads the whole regular file into bytes; bytes is left unchanged on any failure.
ReadOutcome read_file_bytes(const std::string& path, std::string& bytes);

enum class WriteOutcome {
    ok,
    not_a_file,      // the target exists and is no regular file (a folder, a device, a pipe)
    missing_folder,  // the target's folder does not exist
    cannot_create,   // the temporary file in the target's folder cannot be made
    write_failed,    // writing, flushing or the final rename failed
};

// Writes bytes to a temporary file in the target's folder and renames it over the target only
// when everything was written, so a failure leaves any file already there untouched. An
// existing target keeps its permissions; one that is no regular file is left as it is. Every
// file the program writes goes through here.
WriteOutcome write_file_atomically(const std::string& path, const std::string& bytes);
// What write_file_atomically would meet before writing, found by making its temporary file and
// removing it again: a caller checks its outputs before long work whose result they hold.
WriteOutcome check_writable(const std::string& path);
