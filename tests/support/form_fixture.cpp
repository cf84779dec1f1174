#include "tests/support/form_fixture.h"

FormFixture::FormFixture(bool real_component, int timer_interval_ms) {
    FormOptions options;
    options.download_folder = folder() + "pages/";
    options.debug_file = folder() + "test/_tmp.htm";
    options.timer_interval_ms = timer_interval_ms;
    std::unique_ptr<TUrlDownload> component;
    if (!real_component) {
        auto recording = std::make_unique<RecordingDownload>(layer);
        recorder = recording.get();
        component = std::move(recording);
    }
    form = std::make_unique<TForm1>(layer, options, std::move(component));
    form->error_sink = [this](const std::string& message) { errors.push_back(message); };
}

void FormFixture::add_queue_row(const std::string& url, const std::string& attempts, const std::string& result,
                                const std::string& description) {
    form->google_list.add_item(ListItem{url, {description, "", attempts, result}});
}
