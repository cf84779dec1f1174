#include "model/app/Downloaddemo_U.h"

#include "analysis/plain_text.h"
#include "model/app/list_layouts.h"
#include "model/pipeline/row_texts.h"
#include "model/console/private_folder.h"
#include "download/moniker_layer.h"

#include <string>

namespace {

// The agent goes into a request header line as it is: a line break in a pasted or remembered
// text would start a header line of its own, so control characters are dropped.
std::string header_line_text(std::string text) {
    std::erase_if(text, is_control_byte);
    return text;
}

}  // namespace

TForm1::TForm1(MonikerLayer& layer, FormOptions options, std::unique_ptr<TUrlDownload> component, QObject* parent)
    : TForm1(component ? std::move(component) : std::make_unique<TUrlDownload>(layer), std::move(options), parent) {}

TForm1::TForm1(std::unique_ptr<TUrlDownload> component, FormOptions options, QObject* parent)
    : QObject(parent),
      UrlDownload1(*component),
      OpenDialog1(FileDialog::Kind::Open, "Open list dialog",
                  {{"List files (*.txt)", "*.txt"}, {"All Files (*.*)", "*.*"}}, "txt"),
      SaveDialog1(FileDialog::Kind::Save, "Save list dialog",
                  {{"List files (*.txt)", "*.txt"}, {"All Files (*.*)", "*.*"}}, "txt"),
      options_(std::move(options)) {
    // Owned from here on: taken in the body, where every member exists whatever its place.
    component_ = std::move(component);
    Edit2.set_text(options_.debug_file);

    google_list.present(research_rows.queue);
    result_list.present(research_rows.results);
    google_res.present(research_rows.links);
    apply_list_layout(google_list, list_layout::queue);
    apply_list_layout(google_res, list_layout::search_results);
    apply_list_layout(result_list, list_layout::results_start);
    // The "Result" cells of both lists show why a forum gave no figures.
    google_list.set_reason_column(queue_column::Result + 1);
    result_list.set_reason_column(result_column::Verdict + 1);
    // Rows given as text (list files) bring their values in their cells.
    google_list.set_row_reader(read_queue_row);
    result_list.set_row_reader(read_result_row);

    // The window's stored design: the component's settings for this program.
    UrlDownload1.TimeOut = kStageTimeOutMs;
    UrlDownload1.SetOptions(TBindInfoOptions::default_set());
    UrlDownload1.AdditionalHeader = {"Content-Type: application/x-www-form-urlencoded"};
    UrlDownload1.UserAgent = header_line_text(user_agent.text());

    Timer1.setInterval(options_.timer_interval_ms);
    Timer2.setInterval(options_.timer_interval_ms);

    wire_handlers();
    wire_download_events();
    FormCreate();
    Timer2.start();
}

TForm1::~TForm1() {
    Timer1.stop();
    Timer2.stop();
    // The component goes first, while the whole window still stands: it silences the downloads
    // still running as it tears them down, so none of their events reaches the window.
    component_.reset();
    FormDestroy();
}

void TForm1::guarded(const std::function<void()>& action) { run_guarded(error_sink, action); }

void TForm1::wire_handlers() {
    // Timer ticks are entries from the event loop: each runs under the guard.
    connect(&Timer1, &QTimer::timeout, this, [this] { guarded([this] { Timer1Timer(); }); });
    connect(&Timer2, &QTimer::timeout, this, [this] { guarded([this] { Timer2Timer(); }); });

    Button4.on_click = [this] { Button4Click(); };
    Button3.on_click = [this] { Button3Click(); };
    Button1.on_click = [this] { Button1Click(); };
    request_google.on_click = [this] { request_googleClick(); };
    get_urls_from_google_list.on_click = [this] { get_urls_from_google_listClick(); };
    google_got.on_click = [this] { google_gotClick(); };
    get_sites_popularity.on_click = [this] { (void)get_sites_popularityClick(); };
    check_page_for_popular.on_click = [this] { check_page_for_popularClick(); };
    download.on_click = [this] { downloadClick(); };
    further_act.on_click = [this] { further_actClick(); };
    Button2.on_click = [this] { Button2Click(); };
    FileListBox1.on_click = [this] { FileListBox1Click(); };
    RadioButton1.on_click = [this] { RadioButton1Click(); };
    RadioButton2.on_click = [this] { RadioButton2Click(); };

    connect(&allowed_threads, &IntField::changed, this, [this] { guarded([this] { allowed_threadsChange(); }); });
    connect(&allow_attemps_ui, &IntField::changed, this, [this] { guarded([this] { allow_attemps_uiChange(); }); });
    connect(&search_service, &ComboBox::changed, this, [this] { guarded([this] { search_serviceChange(); }); });
    connect(&user_agent, &TextField::changed, this, [this] { UrlDownload1.UserAgent = header_line_text(user_agent.text()); });

    PopupMenu1.items = {{"Openlist1", "Open list", [this] { Openlist1Click(); }},
                        {"Savelist1", "Save list", [this] { Savelist1Click(); }}};
    PopupMenu2.items = {{"Save1", "Save List", [this] { Save1Click(); }},
                        {"OpenList2", "Open List", [this] { OpenList2Click(); }}};
}

void TForm1::FormCreate() {
    PageControl2.set_active_page(0);
    slot_buffers.clear_all();
    // Page copies are the user's own: a private folder, never a shared one.
    if (!options_.download_folder.empty()) make_private_folders(options_.download_folder);
    FileListBox1.set_directory(options_.download_folder);
}

void TForm1::FormDestroy() { slot_buffers.clear_all(); }

void TForm1::allowed_threadsChange() { pipeline.parallel_limit = allowed_threads.value(); }

void TForm1::allow_attemps_uiChange() { pipeline.attempts_limit = allow_attemps_ui.value(); }

void TForm1::RadioButton1Click() { UrlDownload1.SetOptions(TBindInfoOptions::synchronous_set()); }

void TForm1::RadioButton2Click() { UrlDownload1.SetOptions(TBindInfoOptions::default_set()); }

void TForm1::process_normalClick() { UrlDownload1.TimeOut = kProcessNormalTimeOutMs; }

void TForm1::process_no_data_itemsClick() { UrlDownload1.TimeOut = kProcessNoDataItemsTimeOutMs; }

void TForm1::remove_download_line(int index) {
    if (index < 0 || index >= download_list.count()) return;
    download_list.delete_line(index);
    slot_buffers.remove(index);
    end_research_if_over(false);
}

void TForm1::append_download_line(const std::string& url) {
    download_list.add_line(url);
    // Bytes left behind by an earlier download on this line must not start the new page.
    slot_buffers.clear(download_list.count() - 1);
}

void TForm1::clear_download_lines() {
    download_list.clear();
    slot_buffers.clear_all();
}

void apply_list_layout(ListView& list, const std::vector<ListColumn>& columns) {
    list.clear_columns();
    for (const auto& column : columns) add_list_column(column.caption, column.width, list);
}
