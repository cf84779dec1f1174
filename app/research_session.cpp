#include "app/research_session.h"

#include "app/Downloaddemo_U.h"
#include "console/list_file.h"

#include <unistd.h>

ResearchSession::ResearchSession(TForm1& form, ResearchArguments arguments, std::FILE* out, std::FILE* err)
    : form_(form),
      arguments_(std::move(arguments)),
      out_(out),
      err_(err),
      terminal_(isatty(fileno(err)) != 0) {
    form_.error_sink = [this](const std::string& message) { error_line(message); };
    // After the form's own handler, so the labels already show this tick's values.
    connect(&form_.Timer2, &QTimer::timeout, this, [this] { report_status(); });
    if (!arguments_.quiet)
        connect(&form_.memo1, &Memo::line_added, this,
                [this](int index) { print_log_line(std::string(form_.memo1.full_line(index))); });
    poll_.setInterval(50);
    connect(&poll_, &QTimer::timeout, this, [this] { check_over(); });
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
    if (arguments_.search_host) form_.search_host.set_text(*arguments_.search_host);
    type_into(form_.dig_level_ui, arguments_.dig);
    type_into(form_.allowed_threads, arguments_.threads);
    type_into(form_.allow_attemps_ui, arguments_.attempts);
    type_into(form_.timeout_normal, arguments_.timeout_normal);
    type_into(form_.time_out_advanced, arguments_.timeout_advanced);

    if (arguments_.forums_file) {
        try {
            load_list_file(*arguments_.forums_file, form_.google_list);
        } catch (const std::exception& error) {
            error_line("cannot read " + *arguments_.forums_file + ": " + error.what());
            return false;
        }
        form_.guarded([this] { form_.check_page_for_popular.click(); });
    } else {
        form_.request_ui.set_text(arguments_.keyword);
        form_.guarded([this] { form_.Button4.click(); });
    }
    poll_.start();
    return true;
}

void ResearchSession::interrupt() {
    if (interrupted_) {
        finish(130);
        return;
    }
    interrupted_ = true;
    clear_progress_line();
    std::fprintf(err_, "Interrupted: stopping the downloads (Ctrl-C again to quit at once)\n");
    form_.guarded([this] { form_.Button1.click(); });
}

bool ResearchSession::research_over() const {
    if (form_.Timer1.isActive() || !form_.download_list.count() == 0) return false;
    if (interrupted_) return true;
    const auto& stage_name = form_.pipeline.research_stage;
    return stage_name == stage::Forum || (stage_name == stage::Search && !form_.google_pop_auto.checked());
}

void ResearchSession::check_over() {
    // A stage start clears the stop request; after an interrupt nothing may start again.
    if (interrupted_ && form_.Timer1.isActive() && !form_.pipeline.stop_requested)
        form_.guarded([this] { form_.Button1.click(); });
    if (research_over()) finish(interrupted_ ? 130 : 0);
}

void ResearchSession::report_status() {
    if (done_) return;
    const std::string& status = form_.status_label.caption();
    if (status != shown_status_) {
        shown_status_ = status;
        clear_progress_line();
        std::fprintf(err_, "Status: %s\n", status.c_str());
    }
    const std::string& progress = form_.Label12.caption();
    if (progress != shown_progress_ || (terminal_ && !progress_on_screen_)) {
        shown_progress_ = progress;
        if (terminal_) {
            std::fprintf(err_, "\r\033[KQuery: %s", progress.c_str());
            progress_on_screen_ = true;
        } else {
            std::fprintf(err_, "Query: %s\n", progress.c_str());
        }
    }
    std::fflush(err_);
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

bool ResearchSession::write_lists() {
    bool written = true;
    auto save = [&](const std::optional<std::string>& file, const ListView& list) {
        if (!file) return;
        try {
            save_list_file(*file, list);
        } catch (const std::exception& error) {
            error_line("cannot write " + *file + ": " + error.what());
            written = false;
        }
    };
    if (arguments_.results_file) {
        save(arguments_.results_file, form_.result_list);
    } else {
        const std::string text = list_file_text(form_.result_list);
        written = std::fwrite(text.data(), 1, text.size(), out_) == text.size() && std::fflush(out_) == 0;
        if (!written) error_line("cannot write the results to standard output");
    }
    save(arguments_.queue_file, form_.google_list);
    return written;
}

void ResearchSession::finish(int exit_code) {
    if (done_) return;
    poll_.stop();
    form_.guarded([this] { form_.Timer2Timer(); });
    report_status();
    done_ = true;
    clear_progress_line();
    if (!write_lists() && exit_code == 0) exit_code = 2;
    emit finished(exit_code);
}
