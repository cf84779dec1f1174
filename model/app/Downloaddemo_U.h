#pragma once

// The window model: every control of the main window as a small model object under its
// designer name, the download component, the pipeline state and the handlers. Views (gui/)
// draw it; the pipeline reads and writes its controls, never widgets. One thread: everything
// here runs on the event loop that created the form.

#include "model/app/controls/button.h"
#include "model/app/controls/check_box.h"
#include "model/app/controls/combo_box.h"
#include "model/app/controls/file_dialog.h"
#include "model/app/controls/file_list_box.h"
#include "model/app/controls/int_field.h"
#include "model/app/controls/label.h"
#include "model/app/controls/list_view.h"
#include "model/app/controls/memo.h"
#include "model/app/controls/page_control.h"
#include "model/app/controls/popup_menu.h"
#include "model/app/controls/progress_bar.h"
#include "model/app/controls/text_field.h"
#include "model/app/error_guard.h"
#include "model/app/form_options.h"
#include "download/UrlDownload.h"
#include "model/pipeline/pipeline_state.h"
#include "model/pipeline/queue_progress.h"
#include "model/pipeline/research_rows.h"
#include "model/pipeline/slot_buffers.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class MonikerLayer;

class TForm1 : public QObject {
    Q_OBJECT
public:
    // The layer must outlive the form. A test may hand in its own component (a stand-in that
    // records starts); otherwise the form makes the real one on the layer.
    explicit TForm1(MonikerLayer& layer, FormOptions options = default_form_options(),
                    std::unique_ptr<TUrlDownload> component = nullptr, QObject* parent = nullptr);
    ~TForm1() override;

    static constexpr const char* kCaption =
        "Ravelmoot - find a place to ask your questions and communicate. Freeware.";
    // The component's time-out as the window's design sets it; each stage start sets it again
    // (the scheduler then sets a field's time-out before every download).
    static constexpr std::int32_t kStageTimeOutMs = 15000;
    // The time-outs of the two state handlers that no control invokes.
    static constexpr std::int32_t kProcessNormalTimeOutMs = 3000;
    static constexpr std::int32_t kProcessNoDataItemsTimeOutMs = 30000;
    // The user agent as the window's design sets it: the initial value of "User agent".
    static constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Win32)";

    const FormOptions& options() const { return options_; }

    // Error sink: where the guard sends an error's text (a message box in the window).
    ErrorSink error_sink;
    // Runs action under the one guard, sending its error to error_sink.
    void guarded(const std::function<void()>& action);
    // Opens an http or https URL with the user's desktop; set by the view. Returns false when
    // the desktop could not open it.
    std::function<bool(const std::string& url)> open_url;

    // Visible tab set: "Research", "Options", "About".
    PageControl PageControl2{{"Research", "Options", "About"}, true};

    // Research page
    Label Label25{"Community keyword:"};
    TextField request_ui{"software marketing"};
    Button Button4{"Start Search"};
    Button Button3{"Pause"};
    Button Button1{"Stop"};
    Label Label26{"Status: "};
    Label status_label{"..."};
    Label Label4{"Query: "};
    Label Label12{"..."};
    // Beside Label12: the same done rows of all rows, as a bar.
    ProgressBar query_progress;

    // Options page
    IntField dig_level_ui{100, 0, 0, 100};
    IntField allow_attemps_ui{5, 0, 0, 1};
    IntField allowed_threads{2, 1, 25, 1, 1};
    IntField timeout_normal{10000, 0, 0, 1};
    IntField time_out_advanced{30000, 0, 0, 1};
    TextField search_host{"www.google.com"};
    // Off: forum pages are read by the classic "row2" rule alone.
    CheckBox read_current_engines{"Read current forum engines", true};
    // On (with the engines read): a topic page, or a forum page without sub-forum figures, of a
    // recognised engine queues its board index instead of being rated.
    CheckBox rate_board_index{"Rate the board index of topic pages", true};
    // Options page, search service (model/app/search_service_options.cpp). The key lives in memory
    // only: it is never saved, logged, or written to a list file or page copy.
    ComboBox search_service{search_service_captions()};
    TextField api_key{""};
    TextField search_phrase{"\"forum index\""};
    // What the search's results are narrowed to: "Any", then the table's languages and regions.
    // Remembered with the search.
    ComboBox results_language{search_language_captions()};
    ComboBox results_region{search_region_captions()};
    // At most this many downloads to one site (host) at once; 0 = no limit.
    IntField downloads_per_site{0, 0, 25, 1};
    // Sent with every download; empty sends no User-Agent line. Remembered with the search.
    TextField user_agent{kUserAgent};
    // Hidden panel Panel4 with the two radio buttons; never shown.
    CheckBox RadioButton1{"Synchronous", true};
    CheckBox RadioButton2{"Asynchronous", false};

    // About page
    Label Label14{"1. Have question/suggestion? E-mail us at "};
    Label Label13{"ravelmoot@example.org"};
    Label Label15{"2. Wish to learn more/find update? Visit Ravelmoot homepage: "};
    Label Label29{"Ravelmoot Homepage"};
    Label Label30{"3. Subscribe to maillist to stay informed about updates and new releases. Find subscribe URL at products home page: "};
    Label Label31{"Ravelmoot Homepage"};
    Label Label32{"4. Results from Marginalia Search are its data, licensed CC-BY-NC-SA 4.0 (non-commercial use)."};
    static constexpr const char* kContactAddress = "ravelmoot@example.org";
    static constexpr const char* kHomePage = "https://ravelmoot.example.org/";

    // The research's rows, which the three lists below present; declared first, so that they
    // outlive the lists.
    ResearchRows research_rows;

    // Lower area
    ListView google_list;
    Memo download_list{{"download_list"}};
    Memo memo1;
    ListView result_list;

    // Hidden working pages (PageControl1), never shown.
    PageControl PageControl1{{"Search Request", "Forum Popularity", "Debug and program info"}, false};
    TextField request{"webmaster"};
    IntField dig_google{200, 0, 0, 100};
    Button request_google{"Search Request"};
    Button get_urls_from_google_list{"Get URL list form google"};
    ListView google_res;
    Button google_got{"Use list"};
    Button get_sites_popularity{"Popularity"};
    Button check_page_for_popular{"Pages Popular"};
    Memo result_memo;
    FileListBox FileListBox1{"*.htm"};
    TextField Edit2{""};
    Button Button2{"Save to file"};
    CheckBox google_pop_auto{"goole -> pop -- auto", true};
    Button download{"Start Download"};
    Button further_act{"Further Act"};

    // Components without a face
    TUrlDownload& UrlDownload1;
    QTimer Timer1;
    QTimer Timer2;
    FileDialog OpenDialog1;
    FileDialog SaveDialog1;
    PopupMenu PopupMenu1;  // google_list: "Open list", "Save list"
    PopupMenu PopupMenu2;  // result_list: "Save List", "Open List"

    // Pipeline state
    PipelineState pipeline;
    SlotBuffers slot_buffers;

    // Program start and end, state handlers
    void FormCreate();
    void FormDestroy();
    void allowed_threadsChange();
    void allow_attemps_uiChange();
    void RadioButton1Click();
    void RadioButton2Click();
    void process_normalClick();
    void process_no_data_itemsClick();

    // Research commands, status timer, About links
    void Button4Click();
    void Button3Click();
    void Button1Click();
    void Timer2Timer();
    // The queue's progress as Timer2 shows it in Label12 and query_progress, counted now.
    QueueProgress queue_progress() const;
    void Label13Click();
    void Label29Click();

    // Search service: choosing one puts its base address into "Search host"; chosen_search()
    // raises AppError for a key or base address that cannot be used.
    void search_serviceChange();
    SearchInUse chosen_search() const;

    // Search stage: request, link extraction, "Use list"
    void request_googleClick();
    void get_urls_from_google_listClick();
    // The search page at page_url was answered with no results: the search asks no later page.
    void end_search_after(const std::string& page_url);
    void google_gotClick();
    // Forum stage: start and popularity analysis
    void check_page_for_popularClick();
    // Reads the page just finished as a forum page: its figures, engine and newest post.
    ForumFigures get_sites_popularityClick();

    // Scheduler and stage driver
    void Timer1Timer();
    void downloadClick();
    void further_actClick();
    // The parts of further_actClick: the address that served row r's page and its links' base;
    // the page judged as a forum's (returning the reason its row ends with now, if it does) or
    // as a search's, into the results row; that row stored, replacing one of the same URL.
    void note_served_address(int r);
    std::optional<NoFiguresReason> judge_forum_page(int r, ListItem& row);
    void judge_search_page(ListItem& row);
    int store_result_row(ListItem row);

    // Download events
    void UrlDownload1Progress(TBSCB& Sender, Cardinal ulProgress, Cardinal ulProgressMax, Cardinal ulStatusCode);
    void UrlDownload1Data(TBSCB& Sender, const std::vector<std::uint8_t>& Buffer, Cardinal BufLength);
    void UrlDownload1Complete(TBSCB& Sender, const TMemoryStream* Stream, HRESULT Result);
    // The negotiation events: each answers success; OnResponse notes when the page was served.
    HRESULT UrlDownload1SecurityProblem(TBSCB& Sender, Cardinal dwProblem);
    HRESULT UrlDownload1Response(TBSCB& Sender, Cardinal dwResponseCode, const std::u16string& szResponseHeaders,
                                 const std::u16string& szRequestHeaders, std::u16string& szAdditionalRequestHeaders);
    HRESULT UrlDownload1GetWindow(TBSCB& Sender, const TGUID& guidReason, Cardinal& hwnd);
    HRESULT UrlDownload1BeginningTransaction(TBSCB& Sender, const std::u16string& szURL,
                                             const std::u16string& szHeaders, Cardinal dwReserved,
                                             std::u16string& szAdditionalHeaders);
    HRESULT UrlDownload1Authenticate(TBSCB& Sender, std::uintptr_t& hwnd, std::u16string& szUserName,
                                     std::u16string& szPassWord);

    // List files and list commands, double-click, debug page
    void Openlist1Click();
    void Savelist1Click();
    void Save1Click();
    void OpenList2Click();
    void google_listDblClick();
    void result_listDblClick();
    void FileListBox1Click();
    void Button2Click();

    // The download events' work, by the download's URL (what the handlers read of Sender).
    void download_data(const std::string& url, std::string_view block);
    // line_released: this download's line already went with its early report, so a line that
    // holds its URL now belongs to a newer download of the same URL. served_at: the response's
    // Date (seconds since 1970); without one the page counts as served when it is handed on.
    // response_head: the response's status line and header lines, empty when none arrived.
    // served_url: the address that served the page (after redirects); empty for url itself.
    void download_completed(const std::string& url, Cardinal response_code, HRESULT result,
                            bool line_released = false, std::optional<std::int64_t> served_at = std::nullopt,
                            std::string_view response_head = {}, std::string_view served_url = {});

    // Makes bytes the page text: what the readers read and what result_memo shows.
    void set_page_text(std::string bytes);

    // Removes line `index` of download_list together with its slot buffer (buffers below move up).
    void remove_download_line(int index);
    // Appends a line to download_list; its slot buffer starts empty.
    void append_download_line(const std::string& url);
    // Empties download_list and every slot buffer with it.
    void clear_download_lines();

signals:
    // The research is over: its last stage has ended, or it was stopped, and none of its
    // downloads is still listed. Sent once per research, from inside the handler that saw the
    // end (a tick, a download's end, Stop): a receiver that does more than take note connects
    // queued, so that the handler finishes first.
    void research_over();
    // A download failed and its queue row's Status now says why (status): sent from inside the
    // completion handler, once per failure of a URL that has a queue row.
    void download_failed(const std::string& url, const std::string& status);

private:
    // What the two stage starts set differently.
    struct StageSettings {
        const char* stage;
        std::string status;
        int threads;            // the stage's parallel downloads
        bool threads_editable;  // whether "Threads" may change them during the stage
        int attempts_limit;
        const std::vector<ListColumn>& results_layout;
    };
    // The one stage start: settles the pipeline for the stage and empties the search results,
    // lets prepare_queue set up the stage's own lists, then empties the results table and the
    // download lines and starts the scheduler with a first tick at once (a stage started by the
    // end of the one before has it from the tick that ended that one).
    void start_stage(const StageSettings& settings, const std::function<void()>& prepare_queue);
    // The two halves of a scheduler tick: starting the queue's due downloads (false when the
    // download places are full, which ends the tick), then ending the stage when no row needs work.
    bool start_due_downloads();
    // True when the stage ended by starting the next one, whose first tick is then due.
    bool end_stage_if_done();
    // Whether a download of url may start now: its site asked for no wait that still runs, and
    // fewer than "Downloads per site" of its downloads run.
    bool site_allows(const std::string& url) const;
    // The sites no download may start to now: asked to wait, or at "Downloads per site".
    std::vector<std::string> blocked_sites() const;
    // A 429 or 503 answer with Retry-After: its site waits that long (logged). Past the longest
    // wait taken on, nothing waits and the reason the row ends with is returned instead.
    std::optional<NoFiguresReason> take_retry_after(const std::string& url, int status, std::string_view head);
    // Row `row` of list (a forum) gave no figures: the row takes the reason, and the log says it.
    void note_no_figures(ListView& list, int row, NoFiguresReason reason);
    // When the page of queue row `row` is a topic page, or a forum page without sub-forum figures,
    // whose board index may be followed: queues that index as a new row with the page's
    // description unless it is listed already, logs which, and returns the reason the page's row
    // ends with. A row that is itself such a board index follows none and ends with its reason.
    std::optional<NoFiguresReason> follow_board_index(int row, const ForumFigures& figures);
    // Why the forum page just handed on gave no figures, from what its reader found.
    NoFiguresReason unrated_forum_reason(const ForumFigures& figures) const;
    // Sends research_over when the research has come to rest: the scheduler stopped after the
    // last stage (last_stage_ended) or after Stop, and no download of it is listed any more.
    void end_research_if_over(bool last_stage_ended);
    // The status line at the research's end: finished or stopped, and how many forums were
    // rated and Good (or that the search found none).
    std::string research_end_status() const;

    // Binds UrlDownload1 to the component and takes ownership of it.
    TForm1(std::unique_ptr<TUrlDownload> component, FormOptions options, QObject* parent);
    void wire_handlers();
    void wire_download_events();

    FormOptions options_;
    // Running downloads that were refused on the way and reported early; their final report follows.
    std::unordered_set<const TBSCB*> reported_early_;
    // The Date header of each running download's response, as a Unix time, until it completes.
    std::unordered_map<const TBSCB*, std::int64_t> served_at_;
    std::unique_ptr<TUrlDownload> component_;
    // From a stage start until research_over is sent.
    bool research_running_ = false;
    // While the end of a stage starts the next one from inside a tick.
    bool stage_started_by_tick_ = false;
};

// Lays out a list view's columns anew: removes all of them, then adds these in order.
void apply_list_layout(ListView& list, const std::vector<ListColumn>& columns);
