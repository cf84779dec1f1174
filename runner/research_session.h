#pragma once

#include "runner/research_arguments.h"
#include "runner/research_report.h"

#include <QObject>

#include <cstdio>
#include <string>

class TForm1;

// Runs one research on a window model without a window: applies the command's arguments to the
// controls, presses Start Search (or starts the forum stage on a loaded list), reports status,
// progress and log on standard error, and writes the list files when the research is over,
// followed by one summary line; its exit code says how the research went.
// Event-loop thread only; the form must outlive the session.
class ResearchSession : public QObject {
    Q_OBJECT
public:
    ResearchSession(TForm1& form, ResearchArguments arguments, std::FILE* out = stdout, std::FILE* err = stderr);

    // Starts the research. False, with a line on standard error, when it cannot start.
    bool start();
    // Ctrl-C: stops the research as the Stop button does and lets the running downloads end;
    // a second one finishes at once. The results so far are written either way.
    void interrupt();
    // An error escaped the event loop: reports it, writes the results so far and finishes with
    // exit code 2, also when the error came from the finishing itself.
    void fail(const std::string& message);

signals:
    void finished(int exit_code);

private:
    void report_status();
    void print_log_line(const std::string& line);
    void clear_progress_line();
    void finish(int exit_code);
    bool write_lists();
    // The results in the --format asked for, for --results or standard output alike.
    std::string results_text() const;
    void note_search_stage();
    std::string progress_display() const;
    void error_line(const std::string& message);

    TForm1& form_;
    ResearchArguments arguments_;
    std::FILE* out_;
    std::FILE* err_;
    bool terminal_;
    bool interrupted_ = false;
    bool done_ = false;
    bool progress_on_screen_ = false;
    std::string shown_status_;
    std::string shown_progress_;
    // The rewriting progress line: on a terminal, and not with --quiet.
    bool progress_display_;
    SearchStageFigures search_;
    std::string search_failure_;
};
