#include "runner/research_session.h"

#include "analysis/search_request.h"
#include "analysis/search_service.h"
#include "model/app/Downloaddemo_U.h"
#include "model/app/command_line.h"
#include "runner/forum_list_input.h"
#include "runner/research_json.h"
#include "model/console/list_file.h"
#include "model/console/results_csv.h"

#include <cstdlib>
#include <unistd.h>

ResearchSession::ResearchSession(TForm1& form, ResearchArguments arguments, std::FILE* out, std::FILE* err)
    : form_(form),
      arguments_(std::move(arguments)),
      out_(out),
      err_(err),
      terminal_(isatty(fileno(err)) != 0),
      progress_display_(terminal_ && !arguments_.quiet) {
    form_.error_sink = [this](const std::string& message) { error_line(message); };
    // After the form's own handler, so the labels already show this tick's values.
    connect(&form_.Timer2, &QTimer::timeout, this, [this] { report_status(); });
    if (!arguments_.quiet)
        connect(&form_.memo1, &Memo::line_added, this,
                [this](int index) { print_log_line(std::string(form_.memo1.full_line(index))); });
    // "Use list" replaces the search pages with the forums: note what the search gave first.
    connect(&form_.google_list, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        if (form_.pipeline.research_stage == stage::Search) note_search_stage();
    });
    // A page's status is its last failure until the scheduler starts it again; the last start may
    // outlast the stage, so the failure is kept here rather than read from the queue at the end.
    connect(&form_, &TForm1::download_failed, this, [this](const std::string&, const std::string& status) {
        if (form_.pipeline.research_stage == stage::Search) search_failure_ = status;
    });
    // Queued: the handler that saw the end finishes, and its log lines come, before the summary.
    connect(&form_, &TForm1::research_over, this,
            [this] { finish(interrupted_ ? research_exit::Interrupted : research_exit::Good); }, Qt::QueuedConnection);
}

namespace {

// Sets a field as if the value had been typed and the field left.
void type_into(IntField& field, const std::optional<std::string>& value) {
    if (!value) return;
    field.set_text(*value);
    field.correct_to_limits();
}

}  // namespace

bool ResearchSession::start() {
    apply_search_options(form_, arguments_);
    if (const char* key = std::getenv("RAVELMOOT_SEARCH_KEY")) form_.api_key.set_text(key);
    type_into(form_.dig_level_ui, arguments_.dig);
    type_into(form_.allowed_threads, arguments_.threads);
    type_into(form_.allow_attemps_ui, arguments_.attempts);
    type_into(form_.timeout_normal, arguments_.timeout_normal);
    type_into(form_.time_out_advanced, arguments_.timeout_advanced);
    type_into(form_.downloads_per_site, arguments_.per_site);
    if (arguments_.user_agent) form_.user_agent.set_text(*arguments_.user_agent);
    if (arguments_.classic_count) form_.read_current_engines.set_checked(false);
    if (arguments_.no_board_index) form_.rate_board_index.set_checked(false);

    if (arguments_.forums_file) {
        const std::string failure = load_forum_list(*arguments_.forums_file, stdin, form_.google_list,
                                                    [this](const std::string& line) { error_line(line); });
        if (!failure.empty()) {
            error_line(failure);
            return false;
        }
        form_.guarded([this] { form_.check_page_for_popular.click(); });
    } else {
        // Refused before the research starts, so that the command ends at once with exit code 2.
        if (const std::string refusal = dig_level_refusal(search_service_at(form_.search_service.item_index()), form_.dig_level_ui.value()); !refusal.empty()) {
            error_line(refusal);
            return false;
        }
        form_.request_ui.set_text(arguments_.keyword);
        form_.guarded([this] { form_.Button4.click(); });
        // A refused key or search address stopped the start; the guard has said why.
        if (form_.pipeline.research_stage.empty()) return false;
    }
    return true;
}

void ResearchSession::interrupt() {
    if (interrupted_) {
        finish(research_exit::Interrupted);
        return;
    }
    interrupted_ = true;
    clear_progress_line();
    std::fprintf(err_, "Interrupted: stopping the downloads (Ctrl-C again to quit at once)\n");
    form_.guarded([this] { form_.Button1.click(); });
}

void ResearchSession::fail(const std::string& message) {
    error_line("stopped by an error: " + message);
    if (done_) {
        emit finished(research_exit::Failed);
        return;
    }
    finish(research_exit::Failed);
}

void ResearchSession::report_status() {
    if (done_) return;
    const std::string& status = form_.pipeline.status_text;
    if (status != shown_status_) {
        shown_status_ = status;
        clear_progress_line();
        std::fprintf(err_, "Status: %s\n", status.c_str());
    }
    const std::string progress = progress_display();
    if (progress != shown_progress_ || (progress_display_ && !progress_on_screen_)) {
        shown_progress_ = progress;
        if (progress_display_) {
            std::fprintf(err_, "\r\033[K%s", progress.c_str());
            progress_on_screen_ = true;
        } else if (!terminal_) {
            std::fprintf(err_, "%s\n", progress.c_str());
        }
    }
    std::fflush(err_);
}

std::string ResearchSession::progress_display() const {
    std::string line = "Query: " + queue_progress_caption(form_.queue_progress());
    // Only the rewriting line counts the Good forums; logged lines stay as the window shows them.
    if (progress_display_ && form_.pipeline.research_stage == stage::Forum) {
        int good = 0;
        for (int r = 0; r < form_.result_list.item_count(); ++r)
            good += form_.result_list.item(r).facts.result.verdict == Verdict::Good;
        line += ", " + std::to_string(good) + " Good so far";
    }
    return line;
}

void ResearchSession::note_search_stage() {
    // Start Search empties the queue too, before it holds any page: nothing to note then.
    if (form_.google_list.item_count() > 0 || !search_.ran) search_ = search_stage_figures(form_);
    search_.failure = search_failure_;
}

void ResearchSession::clear_progress_line() {
    if (!progress_on_screen_) return;
    std::fputs("\r\033[K", err_);
    progress_on_screen_ = false;
}

void ResearchSession::print_log_line(const std::string& line) {
    clear_progress_line();
    std::fprintf(err_, "%s\n", line.c_str());
}

void ResearchSession::error_line(const std::string& message) {
    clear_progress_line();
    std::fprintf(err_, "ravelmoot-research: %s\n", message.c_str());
    std::fflush(err_);
}

std::string ResearchSession::results_text() const {
    if (arguments_.format == "csv") return results_csv(form_.result_list);
    if (arguments_.format != "json") return list_file_text(form_.result_list);
    // JSON describes forums: a research stopped during the search has none to describe.
    if (form_.pipeline.research_stage != stage::Forum) return "";
    return forums_json_lines(form_.research_rows.results, form_.research_rows.queue);
}

bool ResearchSession::write_lists() {
    bool written = true;
    auto save = [&](const std::optional<std::string>& file, const std::string& bytes) {
        try {
            write_list_bytes(*file, bytes);
        } catch (const std::exception& error) {
            error_line("cannot write " + *file + ": " + error.what());
            written = false;
        }
    };
    const std::string text = results_text();
    if (arguments_.results_file) {
        save(arguments_.results_file, text);
    } else {
        const bool out_written = std::fwrite(text.data(), 1, text.size(), out_) == text.size() && std::fflush(out_) == 0;
        if (!out_written) error_line("cannot write the results to standard output");
        written = written && out_written;
    }
    if (arguments_.queue_file) save(arguments_.queue_file, list_file_text(form_.google_list));
    return written;
}

void ResearchSession::finish(int exit_code) {
    if (done_) return;
    form_.guarded([this] { form_.Timer2Timer(); });
    report_status();
    done_ = true;
    clear_progress_line();
    if (form_.pipeline.research_stage == stage::Search) note_search_stage();
    const ForumStageFigures forums = forum_stage_figures(form_);
    if (exit_code == research_exit::Good) exit_code = research_exit_status(search_, forums);
    if (!write_lists() && exit_code != research_exit::Interrupted) exit_code = research_exit::Failed;
    std::fprintf(err_, "%s\n", research_summary(search_, forums).c_str());
    std::fflush(err_);
    emit finished(exit_code);
}
