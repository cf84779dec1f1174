#include "tests/support/form_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>

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
    QObject::connect(form.get(), &TForm1::research_over, [this] { ++researches_over_; });
}

bool FormFixture::wait_for_research_over(int limit_ms) {
    QElapsedTimer clock;
    clock.start();
    while (researches_over_ == 0 && clock.elapsed() < limit_ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    if (researches_over_ == 0) return false;
    --researches_over_;
    return true;
}

void FormFixture::add_queue_row(const std::string& url, const std::string& attempts, const std::string& result,
                                const std::string& description) {
    form->google_list.add_item(ListItem{url, {description, "", attempts, result}});
}
