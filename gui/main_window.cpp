#include "gui/main_window.h"

#include "model/app/Downloaddemo_U.h"
#include "gui/check_box_widget.h"
#include "gui/desktop_links.h"
#include "gui/file_dialog_runner.h"
#include "gui/forum_map.h"
#include "gui/int_field_widget.h"
#include "gui/link_label.h"
#include "gui/list_view_widget.h"
#include "gui/memo_view.h"
#include "gui/search_service_widgets.h"
#include "gui/simple_bindings.h"
#include "gui/window_growth.h"
#include "gui/wrapped_text_with_link.h"
#include "model/console/results_csv.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <type_traits>
#include <utility>

namespace {

constexpr int kClientWidth = 643;
constexpr int kClientHeight = 453;
constexpr int kTabSetHeight = 121;
constexpr int kSpacerAboveResults = 6;
constexpr int kSpacerAboveQueue = 7;
constexpr int kQueueGroupHeight = 190;
constexpr int kLogStripHeight = 68;
constexpr int kDownloadingNowWidth = 346;
// The research page's empty column right of its controls: it takes the room of a wider window,
// so the keyword field, the buttons and the lines below keep their places.
constexpr int kResearchGrowthColumn = 3;

constexpr QPoint kWindowPosition{32, 16};
constexpr QMargins kClientMargins{4, 4, 4, 4};
constexpr QMargins kGroupMargins{4, 2, 4, 4};
// Every tab page: its margins and the spacing of its rows and columns.
constexpr QMargins kPageMargins{8, 6, 8, 6};
constexpr int kPageRowSpacing = 4;
constexpr int kPageColumnSpacing = 8;
constexpr int kNumberFieldWidth = 72;
// The About page's third sentence wraps in this box, its link at the end.
constexpr QSize kWrappedSentenceSize{409, 33};

const WindowDesign kDesign{{kClientWidth, kClientHeight}, kQueueGroupHeight, kLogStripHeight, kDownloadingNowWidth};

// A tab page under its design name and the layout that fills it, spaced as every page is.
template <class Layout>
std::pair<QWidget*, Layout*> make_page(const char* name) {
    auto* page = new QWidget;
    page->setObjectName(name);
    auto* layout = new Layout(page);
    layout->setContentsMargins(kPageMargins);
    if constexpr (std::is_same_v<Layout, QGridLayout>) {
        layout->setHorizontalSpacing(kPageColumnSpacing);
        layout->setVerticalSpacing(kPageRowSpacing);
    } else {
        layout->setSpacing(kPageRowSpacing);
    }
    return {page, layout};
}

QGroupBox* make_group(const char* title, const char* name, QWidget* filling, QWidget* parent) {
    auto* group = new QGroupBox(QString::fromUtf8(title), parent);
    group->setObjectName(name);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(kGroupMargins);
    layout->addWidget(filling);
    return group;
}

// A label that shows a running text: long text is cut at the window's edge instead of
// widening the window; its tooltip shows it whole, as plain text (a status may quote the web).
void let_run_long(QLabel* label, Label& model) {
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setMinimumWidth(0);
    const auto show_whole = [label, &model] {
        label->setToolTip(plain_tooltip(to_qstring(model.caption())));
    };
    show_whole();
    QObject::connect(&model, &Label::changed, label, show_whole);
}

}  // namespace

MainWindow::MainWindow(TForm1& form, QWidget* parent)
    : QMainWindow(parent),
      form_(form),
      guard_([&form](const std::function<void()>& action) { form.guarded(action); }),
      error_box_(this),
      export_dialog_(FileDialog::Kind::Save, "Export results as CSV", {{"CSV files (*.csv)", "*.csv"}}, "csv") {
    setObjectName("Form1");
    setWindowTitle(to_qstring(TForm1::kCaption));
    setWindowIcon(QIcon(QStringLiteral(":/ravelmoot/ravelmoot.svg")));

    auto* client = new QWidget(this);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(kClientMargins);
    column->setSpacing(0);

    auto* tabs = new QTabWidget(client);
    tabs->setObjectName("PageControl2");
    tabs->setFixedHeight(kTabSetHeight);
    const auto& pages = form_.PageControl2.pages();
    tabs->addTab(build_research_page(), to_qstring(pages.at(0)));
    tabs->addTab(build_options_page(), to_qstring(pages.at(1)));
    tabs->addTab(build_about_page(), to_qstring(pages.at(2)));
    bind_page_control(*tabs, form_.PageControl2, guard_);
    column->addWidget(tabs);
    column->addSpacing(kSpacerAboveResults);

    column->addWidget(make_group(" Research results: ", "GroupBox4", build_results_area(client), client), 1);
    column->addSpacing(kSpacerAboveQueue);
    column->addWidget(build_lower_area(client));
    setCentralWidget(client);

    form_.error_sink = [this](const std::string& message) { error_box_.report(message); };
    form_.open_url = [this](const std::string& url) {
        return open_with_desktop(url, this, [this](const std::string& line) { form_.memo1.add_line(line); });
    };
    form_.OpenDialog1.runner = make_file_dialog_runner(this);
    form_.SaveDialog1.runner = make_file_dialog_runner(this);
    export_dialog_.runner = make_file_dialog_runner(this);
    build_menus();

    // The design's smallest size, set once: the sizes a grown window gives its parts must not
    // keep it from shrinking back.
    setMinimumSize(minimumSizeHint());
    resize(kClientWidth, kClientHeight + menu_height());
    move(kWindowPosition);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    // The central widget fills the window below the menu bar.
    const WindowGrowth growth = window_growth(kDesign, event->size() - QSize(0, menu_height()));
    queue_group_->setFixedHeight(growth.queue_group_height);
    log_strip_->setFixedHeight(growth.log_strip_height);
    downloading_now_group_->setFixedWidth(growth.downloading_now_width);
    research_grid_->setColumnMinimumWidth(kResearchGrowthColumn, growth.extra_width);
    // Beside the map the list has the width its pane gives it.
    results_->set_room(map_place_ == MapPlace::Pane ? 0 : growth.extra_width);
    queue_->set_room(growth.extra_width);
    QMainWindow::resizeEvent(event);
}

int MainWindow::menu_height() const { return menuWidget() ? menuWidget()->sizeHint().height() : 0; }

void MainWindow::build_menus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    add_list_commands(*file);
    file->addSeparator();
    QAction* export_csv = file->addAction(tr("Export results as CSV..."));
    export_csv->setObjectName("export_csv");
    connect(export_csv, &QAction::triggered, this, [this] {
        guard_([this] {
            if (export_dialog_.execute()) save_results_csv(export_dialog_.file_name(), form_.result_list);
        });
    });

    QMenu* map = menuBar()->addMenu(tr("&View"))->addMenu(tr("Forum map"));
    auto* places = new QActionGroup(map);
    const char* const captions[] = {"None", "In a tab beside the results", "In a pane beside the results"};
    for (int i = 0; i < 3; ++i) {
        QAction* action = map->addAction(tr(captions[i]));
        action->setCheckable(true);
        action->setObjectName(QStringLiteral("forum_map_place_%1").arg(i));
        places->addAction(action);
        connect(action, &QAction::triggered, this, [this, i] { set_map_place(static_cast<MapPlace>(i)); });
        map_actions_[i] = action;
    }
    map_actions_[static_cast<int>(map_place_)]->setChecked(true);
}

void MainWindow::add_list_commands(QMenu& file) {
    keyboard_list_ = queue_;
    follow_focus_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (ListViewWidget* list : {queue_, results_})
            if (now && (now == list || list->isAncestorOf(now))) keyboard_list_ = list;
    });
    // The lists' own Ctrl+O and Ctrl+S stay the keys; the menu only names them.
    using Command = void (TForm1::*)();
    const auto add = [this, &file](const char* caption, const char* name, QKeySequence::StandardKey key, Command queue,
                                   Command results) {
        QAction* action = file.addAction(tr(caption) + '\t' + QKeySequence(key).toString(QKeySequence::NativeText));
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, queue, results] {
            const Command command = keyboard_list_ == results_ ? results : queue;
            TForm1* form = &form_;
            guard_([form, command] { (form->*command)(); });
        });
    };
    add("Open list...", "open_list", QKeySequence::Open, &TForm1::Openlist1Click, &TForm1::OpenList2Click);
    add("Save list...", "save_list", QKeySequence::Save, &TForm1::Savelist1Click, &TForm1::Save1Click);
}

QWidget* MainWindow::build_results_area(QWidget* parent) {
    auto* area = new QWidget(parent);
    area->setObjectName("results_area");
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    results_area_ = area;
    results_ = new ListViewWidget(form_.result_list, "result_list", guard_, [this] { form_.result_listDblClick(); },
                                  &form_.PopupMenu2, area);
    layout->addWidget(results_);
    // The map opens rows as the list's double-click does, under the same rules.
    map_ = new ForumMap(form_.result_list, guard_, [this] { form_.result_listDblClick(); }, area);
    map_->hide();
    return area;
}

void MainWindow::set_map_place(MapPlace place) {
    map_place_ = place;
    if (QAction* action = map_actions_[static_cast<int>(place)]) action->setChecked(true);
    // Each place has its own holder, made when first needed (a window without the map has
    // neither); the list and the map move between them.
    if (place == MapPlace::Tab && !results_tabs_) {
        results_tabs_ = new QTabWidget(results_area_);
        results_tabs_->setObjectName("results_tabs");
        results_tabs_->setDocumentMode(true);
        results_area_->layout()->addWidget(results_tabs_);
    }
    if (place == MapPlace::Pane && !results_splitter_) {
        results_splitter_ = new QSplitter(Qt::Horizontal, results_area_);
        results_splitter_->setObjectName("results_splitter");
        results_splitter_->setChildrenCollapsible(false);
        results_area_->layout()->addWidget(results_splitter_);
    }
    if (results_tabs_) results_tabs_->clear();
    switch (place) {
    case MapPlace::Hidden:
        results_area_->layout()->addWidget(results_);
        map_->setParent(results_area_);
        map_->hide();
        break;
    case MapPlace::Tab:
        results_tabs_->addTab(results_, tr("List"));
        results_tabs_->addTab(map_, tr("Map"));
        break;
    case MapPlace::Pane:
        results_splitter_->addWidget(results_);
        results_splitter_->addWidget(map_);
        results_splitter_->setStretchFactor(0, 1);
        results_splitter_->setStretchFactor(1, 1);
        map_->show();
        break;
    }
    results_->show();
    if (results_tabs_) results_tabs_->setVisible(place == MapPlace::Tab);
    if (results_splitter_) results_splitter_->setVisible(place == MapPlace::Pane);
    // The list's share of a grown window depends on whether it shares its row with the map.
    const WindowGrowth growth = window_growth(kDesign, size() - QSize(0, menu_height()));
    results_->set_room(place == MapPlace::Pane ? 0 : growth.extra_width);
}

MainWindow::~MainWindow() {
    disconnect(follow_focus_);
    // The form lives on for a moment; nothing of this window may be reached through it.
    form_.error_sink = nullptr;
    form_.open_url = nullptr;
    form_.OpenDialog1.runner = nullptr;
    form_.SaveDialog1.runner = nullptr;
}

QWidget* MainWindow::build_research_page() {
    const auto [page, grid] = make_page<QGridLayout>("TabSheet3");

    auto* keyword = make_text_field(form_.request_ui, "request_ui", guard_, page);
    // Enter in the keyword field starts the search, as the button would.
    connect(keyword, &QLineEdit::returnPressed, this, [this] {
        if (form_.Button4.enabled()) guard_([this] { form_.Button4.click(); });
    });
    auto* keyword_label = make_label(form_.Label25, "Label25", page);
    keyword_label->setBuddy(keyword);
    grid->addWidget(keyword_label, 0, 0);
    grid->addWidget(keyword, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    buttons->addWidget(make_button(form_.Button4, "Button4", guard_, page));
    buttons->addWidget(make_button(form_.Button3, "Button3", guard_, page));
    buttons->addWidget(make_button(form_.Button1, "Button1", guard_, page));
    grid->addLayout(buttons, 0, 2);

    auto* status = make_label(form_.status_label, "status_label", page);
    let_run_long(status, form_.status_label);
    grid->addWidget(make_label(form_.Label26, "Label26", page), 1, 0);
    grid->addWidget(status, 1, 1, 1, 2);

    auto* progress = make_label(form_.Label12, "Label12", page);
    let_run_long(progress, form_.Label12);
    grid->addWidget(make_label(form_.Label4, "Label4", page), 2, 0);
    grid->addWidget(progress, 2, 1);
    auto* bar = make_progress_bar(form_.query_progress, "query_progress", page);
    bar->setMaximumHeight(progress->sizeHint().height());
    grid->addWidget(bar, 2, 2);

    // The three rows share the page's height evenly.
    grid->setColumnStretch(1, 1);
    research_grid_ = grid;
    return page;
}

QWidget* MainWindow::build_options_page() {
    const auto [page, grid] = make_page<QGridLayout>("TabSheet4");

    struct Entry {
        IntField& field;
        const char* name;
        const char* caption;
        int row;
        int column;
    };
    const Entry entries[] = {
        {form_.dig_level_ui, "dig_level_ui", "Google dig level ", 0, 0},
        {form_.allow_attemps_ui, "allow_attemps_ui", "Attemps", 1, 0},
        {form_.allowed_threads, "allowed_threads", "Threads", 2, 0},
        {form_.timeout_normal, "timeout_normal", "Timeout Normal", 0, 3},
        {form_.time_out_advanced, "time_out_advanced", "Timeout Advanced", 1, 3},
        {form_.downloads_per_site, "downloads_per_site", "Downloads per site", 3, 3},
    };
    for (const Entry& entry : entries) {
        auto* field = new IntFieldWidget(entry.field, entry.name, guard_, page);
        field->setFixedWidth(kNumberFieldWidth);
        const QByteArray label_name = QByteArray(entry.name) + "_label";
        grid->addWidget(make_field_label(entry.caption, label_name.constData(), field, page), entry.row, entry.column);
        grid->addWidget(field, entry.row, entry.column + 1);
    }
    // Below the time-outs the search phrase; in columns 6 and 7 where and how to search.
    add_search_service_fields(form_, guard_, *grid, page);
    // Below them both check boxes, beside the results language and region.
    grid->addWidget(make_check_box(form_.read_current_engines, "read_current_engines", guard_, page), 4, 0, 1, 2);
    // Its caption is longer than the column: it may reach under the next one.
    grid->addWidget(make_check_box(form_.rate_board_index, "rate_board_index", guard_, page), 5, 0, 1, 5);
    auto* agent = make_text_field(form_.user_agent, "user_agent", guard_, page);
    // The field is narrow: an agent is read from its start.
    agent->setCursorPosition(0);
    grid->addWidget(make_field_label("User agent", "user_agent_label", agent, page), 3, 6);
    grid->addWidget(agent, 3, 7);

    grid->setColumnMinimumWidth(2, 8);
    grid->setColumnMinimumWidth(5, 8);
    grid->setColumnStretch(7, 1);
    // Six rows in the tab set's fixed height: they keep the height five had by giving up their gaps.
    grid->setVerticalSpacing(0);
    grid->setRowStretch(6, 1);
    return page;
}

QWidget* MainWindow::build_about_page() {
    const auto [page, rows] = make_page<QVBoxLayout>("TabSheet6");

    auto* mail = new LinkLabel(form_.Label13, "Label13", page);
    connect(mail, &LinkLabel::clicked, this, [this] { guard_([this] { form_.Label13Click(); }); });
    auto* home = new LinkLabel(form_.Label29, "Label29", page);
    connect(home, &LinkLabel::clicked, this, [this] { guard_([this] { form_.Label29Click(); }); });
    auto* home_again = new LinkLabel(form_.Label31, "Label31", page);
    connect(home_again, &LinkLabel::clicked, this, [this] { guard_([this] { form_.Label29Click(); }); });

    const auto sentence = [](QLabel* text, LinkLabel* link) {
        auto* line = new QHBoxLayout;
        line->setSpacing(0);
        line->addWidget(text);
        line->addWidget(link);
        line->addStretch(1);
        return line;
    };
    rows->addLayout(sentence(make_label(form_.Label14, "Label14", page), mail));
    rows->addLayout(sentence(make_label(form_.Label15, "Label15", page), home));
    rows->addWidget(new WrappedTextWithLink(make_label(form_.Label30, "Label30", page), kWrappedSentenceSize, home_again, page));
    rows->addWidget(make_label(form_.Label32, "Label32", page));
    rows->addStretch(1);
    return page;
}

QWidget* MainWindow::build_lower_area(QWidget* parent) {
    auto* queue = new ListViewWidget(form_.google_list, "google_list", guard_,
                                     [this] { form_.google_listDblClick(); }, &form_.PopupMenu1, parent);
    queue_ = queue;

    auto* strip = new QWidget(parent);
    strip->setObjectName("Panel1");
    strip->setFixedHeight(kLogStripHeight);
    log_strip_ = strip;
    auto* sides = new QHBoxLayout(strip);
    sides->setContentsMargins(0, 0, 0, 0);
    sides->setSpacing(4);
    auto* log = new MemoView(form_.memo1, "memo1", true, strip);
    sides->addWidget(make_group(" Log:", "GroupBox3", log, strip), 1);
    auto* now = new MemoView(form_.download_list, "download_list", false, strip);
    auto* now_group = make_group(" Downloading now: ", "GroupBox2", now, strip);
    now_group->setFixedWidth(kDownloadingNowWidth);
    downloading_now_group_ = now_group;
    sides->addWidget(now_group);

    auto* filling = new QWidget(parent);
    auto* stack = new QVBoxLayout(filling);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(2);
    stack->addWidget(queue, 1);
    stack->addWidget(strip);
    auto* group = make_group(" Download query: ", "GroupBox1", filling, parent);
    group->setFixedHeight(kQueueGroupHeight);
    queue_group_ = group;
    return group;
}
