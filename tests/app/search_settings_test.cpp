#include "analysis/search_locale.h"
#include "analysis/search_service.h"
#include "model/app/command_line.h"
#include "model/app/search_settings.h"
#include "tests/support/form_fixture.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// One start of the window as main() wires it: the remembered search, the command line over it,
// then the user's changes are written.
struct WindowStart {
    WindowStart(const QString& file, const OptionValues& command_line = {}) : settings(file, QSettings::IniFormat) {
        restore_search_settings(*f.form, settings);
        apply_search_options(*f.form, command_line);
        remember_search_settings(*f.form, settings);
    }
    QSettings settings;
    FormFixture f;
};

TEST(SearchSettings, ServiceHostPhraseAndAgentSurviveARestartTheKeyAndTheResearchOptionsDoNot) {
    QTemporaryDir dir;
    const QString file = dir.filePath("config/ravelmoot/ravelmoot.conf");
    {
        WindowStart first(file);
        TForm1& form = *first.f.form;
        form.search_service.set_item_index(search_service_index("brave"));
        form.search_host.set_text("https://127.0.0.1:9/api");
        form.search_phrase.set_text("\"board index\", forum");
        form.results_language.set_item_index(search_language_index(find_search_language("de")));
        form.results_region.set_item_index(search_region_index(find_search_region("ch")));
        form.api_key.set_text("secret-token");
        form.dig_level_ui.set_value(300);
        form.downloads_per_site.set_value(3);
        // An empty agent (no User-Agent line) is a choice of its own, not a missing value.
        form.user_agent.set_text("");
    }
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray text = written.readAll();
    EXPECT_FALSE(text.contains("secret-token"));
    EXPECT_FALSE(text.contains("300"));
    EXPECT_EQ(QDir(dir.filePath("config/ravelmoot")).entryList(QDir::Files), QStringList{"ravelmoot.conf"});

    WindowStart second(file);
    TForm1& form = *second.f.form;
    const SearchInUse chosen = form.chosen_search();
    EXPECT_EQ(search_service_at(form.search_service.item_index()).name, std::string("brave"));
    EXPECT_EQ(form.search_host.text(), "https://127.0.0.1:9/api");
    EXPECT_EQ(form.search_phrase.text(), "\"board index\", forum");
    EXPECT_EQ(chosen.locale.language, find_search_language("de"));
    EXPECT_EQ(chosen.locale.region, find_search_region("ch"));
    EXPECT_EQ(form.api_key.text(), "");
    EXPECT_EQ(form.dig_level_ui.value(), 100);
    EXPECT_EQ(form.downloads_per_site.value(), 0);
    EXPECT_EQ(form.user_agent.text(), "");
    EXPECT_EQ(form.UrlDownload1.UserAgent, "");
}

TEST(SearchSettings, TheCommandLineWinsForOneStartAndOnlyAValueTheUserChangesIsWritten) {
    QTemporaryDir dir;
    const QString file = dir.filePath("ravelmoot.conf");
    {
        WindowStart first(file);
        first.f.form->search_service.set_item_index(search_service_index("marginalia"));
        first.f.form->search_phrase.set_text("forum");
    }
    {
        OptionValues command_line;
        command_line.search_service = "searx";
        command_line.search_host = "http://127.0.0.1:45678";
        WindowStart second(file, command_line);
        TForm1& form = *second.f.form;
        EXPECT_EQ(search_service_at(form.search_service.item_index()).name, std::string("searx"));
        EXPECT_EQ(form.search_host.text(), "http://127.0.0.1:45678");
        form.search_phrase.set_text("board");
    }
    WindowStart third(file);
    TForm1& form = *third.f.form;
    EXPECT_EQ(search_service_at(form.search_service.item_index()).name, std::string("marginalia"));
    EXPECT_EQ(form.search_host.text(), search_service_at(form.search_service.item_index()).default_base);
    EXPECT_EQ(form.search_phrase.text(), "board");
}

}  // namespace
