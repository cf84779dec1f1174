#include "model/console/list_file.h"
#include "gui/int_field_widget.h"
#include "gui/link_label.h"
#include "gui/list_view_widget.h"
#include "tests/gui/window_fixture.h"

#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

std::vector<std::pair<std::string, int>> shown_columns(ListViewWidget* view) {
    std::vector<std::pair<std::string, int>> columns;
    for (int i = 0; i < view->header()->count(); ++i)
        columns.emplace_back(view->model()->headerData(i, Qt::Horizontal).toString().toStdString(),
                             view->header()->sectionSize(i));
    return columns;
}

using Columns = std::vector<std::pair<std::string, int>>;

}  // namespace

TEST_F(WindowTest, VisibleControlsShowTheirCaptionsAndSizes) {
    EXPECT_EQ(window_->windowTitle().toStdString(), TForm1::kCaption);
    EXPECT_EQ(window_->centralWidget()->size(), QSize(643, 453));

    auto* tabs = find<QTabWidget>("PageControl2");
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "Research");
    EXPECT_EQ(tabs->tabText(1), "Options");
    EXPECT_EQ(tabs->tabText(2), "About");
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(tabs->height(), 121);

    const std::pair<const char*, const char*> groups[] = {{"GroupBox4", " Research results: "},
                                                          {"GroupBox1", " Download query: "},
                                                          {"GroupBox3", " Log:"},
                                                          {"GroupBox2", " Downloading now: "}};
    for (const auto& [name, title] : groups) {
        auto* group = find<QGroupBox>(name);
        ASSERT_NE(group, nullptr) << name;
        EXPECT_EQ(group->title().toStdString(), title);
    }
    EXPECT_EQ(find<QGroupBox>("GroupBox1")->height(), 190);
    EXPECT_EQ(find<QWidget>("Panel1")->height(), 68);
    EXPECT_EQ(find<QGroupBox>("GroupBox2")->width(), 346);
    // The queue group sits at the bottom, the results take what is left above it.
    EXPECT_LT(find<QGroupBox>("GroupBox4")->geometry().bottom(), find<QGroupBox>("GroupBox1")->geometry().top());

    EXPECT_EQ(find<QPushButton>("Button4")->text(), "Start Search");
    EXPECT_EQ(find<QPushButton>("Button3")->text(), "Pause");
    EXPECT_EQ(find<QPushButton>("Button1")->text(), "Stop");
    EXPECT_EQ(find<QLineEdit>("request_ui")->text(), "software marketing");
    const std::pair<const char*, const char*> labels[] = {
        {"Label25", "Community keyword:"}, {"Label26", "Status: "}, {"status_label", "..."}, {"Label4", "Query: "},
        {"Label12", "..."}, {"dig_level_ui_label", "Google dig level "}, {"allow_attemps_ui_label", "Attemps"},
        {"allowed_threads_label", "Threads"}, {"timeout_normal_label", "Timeout Normal"},
        {"time_out_advanced_label", "Timeout Advanced"}, {"search_host_label", "Search host"},
        {"downloads_per_site_label", "Downloads per site"}, {"user_agent_label", "User agent"},
        {"Label14", "1. Have question/suggestion? E-mail us at "}, {"Label13", "ravelmoot@example.org"},
        {"Label29", "Ravelmoot Homepage"}, {"Label31", "Ravelmoot Homepage"}};
    for (const auto& [name, caption] : labels) {
        auto* label = find<QLabel>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text().toStdString(), caption) << name;
    }
    EXPECT_EQ(find<QLineEdit>("search_host")->text(), "www.google.com");
    EXPECT_EQ(find<QLineEdit>("user_agent")->text(), TForm1::kUserAgent);
    const std::pair<const char*, const char*> fields[] = {{"dig_level_ui", "100"}, {"allow_attemps_ui", "5"},
                                                          {"allowed_threads", "2"}, {"timeout_normal", "10000"},
                                                          {"time_out_advanced", "30000"}, {"downloads_per_site", "0"}};
    for (const auto& [name, text] : fields) {
        auto* field = find<IntFieldWidget>(name);
        ASSERT_NE(field, nullptr) << name;
        EXPECT_EQ(field->line_edit()->text().toStdString(), text) << name;
    }

    auto* box = find<QLabel>("Label30");
    EXPECT_EQ(box->size(), QSize(409, 33));
    EXPECT_TRUE(box->wordWrap());
    for (const char* name : {"Label13", "Label29", "Label31"}) {
        auto* link = find<LinkLabel>(name);
        EXPECT_TRUE(link->font().underline()) << name;
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor) << name;
        EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(Qt::blue)) << name;
    }
    // Label13 stands right after Label14 on its line; Label31 ends the text of Label30.
    find<QTabWidget>("PageControl2")->setCurrentIndex(2);
    QApplication::processEvents();
    const QRect label30 = box->geometry();
    const QRect label31 = find<QLabel>("Label31")->geometry();
    EXPECT_GT(label31.top(), label30.top());
    EXPECT_LT(label31.top(), label30.bottom());
    EXPECT_EQ(find<QLabel>("Label14")->geometry().right() + 1, find<QLabel>("Label13")->geometry().left());
}

TEST_F(WindowTest, ListsShowTheModelsColumnsAndFollowLayoutChanges) {
    auto* queue = find<ListViewWidget>("google_list");
    auto* results = find<ListViewWidget>("result_list");
    ASSERT_NE(queue, nullptr);
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(shown_columns(queue),
              (Columns{{"URL", 150}, {"Description", 200}, {"Status", 100}, {"Attemps", 50}, {"Result", 50}}));
    EXPECT_EQ(shown_columns(results), (Columns{{"URL", 150}, {"Description", 200}, {"Posts average", 100},
                                               {"Posts max", 100}, {"Result", 50}}));
    EXPECT_GT(results->header()->height(), 10);  // a header with text, not a collapsed one

    apply_list_layout(form_->result_list, {{"URL", 100}, {"Description", 100}, {"Result", 100}, {"Sites on page", 100}});
    EXPECT_EQ(shown_columns(results),
              (Columns{{"URL", 100}, {"Description", 100}, {"Result", 100}, {"Sites on page", 100}}));
    form_->result_list.set_column_width(3, 77);
    EXPECT_EQ(results->header()->sectionSize(3), 77);

    // A column the user resizes keeps its new width in the list, and so in a saved list file.
    form_->google_list.set_column_width(0, 300);
    queue->header()->resizeSection(0, 200);
    EXPECT_EQ(form_->google_list.column(0).width, 200);
    EXPECT_NE(list_file_text(form_->google_list).find("\r\n200\t200\t100\t50\t50\t\r\n"), std::string::npos);
    // New layouts still come from the model, and their widths stay the model's.
    apply_list_layout(form_->google_list, {{"URL", 150}, {"Description", 200}});
    EXPECT_EQ(shown_columns(queue), (Columns{{"URL", 150}, {"Description", 200}}));
    EXPECT_EQ(form_->google_list.column(0).width, 150);
}

TEST_F(WindowTest, HiddenPagesAndPanelAreNeverDrawn) {
    for (const char* name : {"PageControl1", "Panel4", "RadioButton1", "RadioButton2", "request", "dig_google",
                             "request_google", "google_res", "result_memo", "FileListBox1", "Edit2", "further_act"})
        EXPECT_EQ(find<QWidget>(name), nullptr) << name;
    const auto tab_sets = window_->findChildren<QTabWidget*>();
    ASSERT_EQ(tab_sets.size(), 1);
    EXPECT_EQ(tab_sets.front()->objectName(), "PageControl2");
}

TEST_F(WindowTest, TabsAndActivePageStayInStep) {
    auto* tabs = find<QTabWidget>("PageControl2");
    tabs->setCurrentIndex(1);
    EXPECT_EQ(form_->PageControl2.active_page(), 1);
    form_->PageControl2.set_active_page(2);
    EXPECT_EQ(tabs->currentIndex(), 2);
}

// Pictures of each page for a person to look at: RAVELMOOT_GUI_SHOTS=<folder>.
TEST_F(WindowTest, PicturesOfEachPageWhenAsked) {
    const QString folder = qEnvironmentVariable("RAVELMOOT_GUI_SHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "set RAVELMOOT_GUI_SHOTS to a folder to get pictures";
    form_->google_list.add_item({"http://www.example.org/forum/", {"Google page 1", "", "1", "Finished"}});
    form_->memo1.add_line("Downloaded http://www.example.org/forum/");
    auto* tabs = find<QTabWidget>("PageControl2");
    const char* names[] = {"research", "options", "about"};
    for (int page = 0; page < 3; ++page) {
        tabs->setCurrentIndex(page);
        QApplication::processEvents();
        EXPECT_TRUE(window_->grab().save(QDir(folder).filePath(QString("shot_%1.png").arg(names[page]))));
    }
}
