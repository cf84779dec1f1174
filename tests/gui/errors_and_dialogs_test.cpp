#include "gui/desktop_links.h"
#include "gui/file_dialog_runner.h"
#include "gui/link_label.h"
#include "gui/list_view_widget.h"
#include "tests/gui/window_fixture.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

// Runs check on the modal dialog that the next call opens, once it is up. check must close it;
// a dialog that never opens, or stays open, fails the test instead of hanging it.
template <typename Dialog>
void when_modal_opens(std::function<void(Dialog*)> check) {
    // Owned by the application as well: a deleteLater that no loop ran any more would leak it.
    auto* poll = new QTimer(QCoreApplication::instance());
    poll->setInterval(10);
    auto ticks = std::make_shared<int>(0);
    auto checked = std::make_shared<bool>(false);
    QObject::connect(poll, &QTimer::timeout, [poll, check, ticks, checked] {
        ++*ticks;
        auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!*checked) {
            if (auto* dialog = qobject_cast<Dialog*>(open)) {
                *checked = true;
                *ticks = 0;
                check(dialog);
                return;
            }
            if (*ticks < 500) return;
            ADD_FAILURE() << "the dialog did not open";
        } else if (open && *ticks < 200) {
            return;
        } else if (open) {
            ADD_FAILURE() << "the dialog stayed open";
            open->reject();
        }
        poll->stop();
        poll->deleteLater();
    });
    poll->start();
}

}  // namespace

TEST_F(WindowTest, HandlerErrorReachesTheMessageBoxAndTheWindowGoesOn) {
    form_->Button4.on_click = [] { throw AppError("Cannot open file x.htm"); };
    find<QPushButton>("Button4")->click();
    EXPECT_EQ(errors_, std::vector<std::string>{"Cannot open file x.htm"});
    EXPECT_EQ(error_parents_, std::vector<QWidget*>{window_.get()});
    find<QPushButton>("Button4")->click();
    EXPECT_EQ(errors_.size(), 2u);
}

TEST_F(WindowTest, ErrorsDuringAnOpenBoxWaitAndAreNotNested) {
    int depth = 0;
    int deepest = 0;
    std::vector<std::string> shown;
    window_->error_box().set_presenter([&](QWidget*, const QString& text) {
        ++depth;
        deepest = std::max(deepest, depth);
        shown.push_back(text.toStdString());
        if (shown.size() == 1) {
            // Timer ticks behind the modal box fail again and again.
            for (const char* again : {"second", "second", "third"})
                form_->guarded([again] { throw AppError(again); });
        }
        --depth;
    });
    form_->guarded([] { throw AppError("first"); });
    EXPECT_EQ(shown, (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_EQ(deepest, 1);
}

TEST_F(WindowTest, DefaultErrorPresenterIsACriticalMessageBox) {
    window_->error_box().set_presenter(ErrorBox::message_box());
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    when_modal_opens<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        icon = box->icon();
        box->accept();
    });
    form_->guarded([] { throw AppError("List index out of bounds (7)"); });
    EXPECT_EQ(text, "List index out of bounds (7)");
    EXPECT_EQ(icon, QMessageBox::Critical);
}

TEST_F(WindowTest, FileDialogsUseTheModelsSettingsAndRememberTheName) {
    EXPECT_EQ(qt_name_filters(form_->OpenDialog1), (QStringList{"List files (*.txt)", "All Files (*)"}));
    const QString wanted = dir_.filePath("not_there_yet");

    when_modal_opens<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Open list dialog");
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::AnyFile);
        EXPECT_EQ(dialog->selectedNameFilter(), "List files (*.txt)");
        EXPECT_EQ(dialog->defaultSuffix(), "txt");
        // As typed by the user: a name that does not exist yet.
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(wanted);
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept checks the name
    });
    ASSERT_TRUE(form_->OpenDialog1.execute());
    EXPECT_EQ(form_->OpenDialog1.file_name(), (wanted + ".txt").toStdString());

    // The next time it starts at that name; cancelling keeps it.
    QStringList offered;
    when_modal_opens<QFileDialog>([&](QFileDialog* dialog) {
        offered = dialog->selectedFiles();
        dialog->reject();
    });
    EXPECT_FALSE(form_->OpenDialog1.execute());
    EXPECT_EQ(offered, QStringList{wanted + ".txt"});
    EXPECT_EQ(form_->OpenDialog1.file_name(), (wanted + ".txt").toStdString());

    when_modal_opens<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Save list dialog");
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        dialog->reject();
    });
    EXPECT_FALSE(form_->SaveDialog1.execute());

    // Nothing of this run is kept for the next: Qt's settings file with the visited folders stays unwritten.
    const QSettings qt_settings(QSettings::UserScope, QStringLiteral("QtProject"));
    EXPECT_FALSE(QFileInfo::exists(qt_settings.fileName())) << qt_settings.fileName().toStdString();
    EXPECT_FALSE(qt_settings.contains(QStringLiteral("FileDialog/lastVisited")));
}

TEST_F(WindowTest, AboutLinksOpenTheirTargets) {
    std::vector<std::string> opened;
    form_->open_url = [&](const std::string& url) {
        opened.push_back(url);
        return true;
    };
    for (const char* name : {"Label13", "Label29", "Label31"}) click(find<LinkLabel>(name), QPoint(2, 2));
    EXPECT_EQ(opened, (std::vector<std::string>{"mailto:ravelmoot@example.org?subject=ravelmoot",
                                                TForm1::kHomePage, TForm1::kHomePage}));
}

TEST(DesktopLinks, OnlyWebAndMailAddressesAreOpened) {
    for (const char* url : {"http://www.example.org/forum/", "https://example.org/a b", "HTTP://EXAMPLE.ORG/",
                            "mailto:someone@example.org?subject=x"})
        EXPECT_TRUE(is_openable_url(url)) << url;
    for (const char* url : {"", "www.example.org", "file:///etc/passwd", "javascript:alert(1)", "http://",
                            "/usr/bin/xterm", "ftp://example.org/", "mailto:"})
        EXPECT_FALSE(is_openable_url(url)) << url;
    EXPECT_FALSE(open_with_desktop("file:///etc/passwd", nullptr, {}));
}

// Opening a row where no program opens web addresses says why in the log.
TEST_F(WindowTest, OpeningARowWithoutABrowserSaysWhyInTheLog) {
    // An opener that finds no program, as xdg-open does on a machine without a browser.
    QFile opener(dir_.filePath("xdg-open"));
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write("#!/bin/sh\nexit 3\n");
    opener.close();
    opener.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir_.path().toUtf8() + ":" + path);
    form_->google_list.add_item({"http://a.example/", {"A", "", "0", "Download"}});
    form_->google_list.set_selected(0);
    form_->guarded([this] { form_->google_listDblClick(); });
    const std::string said = "Could not open http://a.example/: no program for it is installed (no browser or mail program)";
    EXPECT_TRUE(QTest::qWaitFor([&] { return form_->memo1.count() > 0 && form_->memo1.full_line(form_->memo1.count() - 1) == said; }, 10000));
    qputenv("PATH", path);
    EXPECT_TRUE(errors_.empty());
}

// File > "Open list..." and "Save list..." act on the list that has the keyboard, as Ctrl+O and Ctrl+S do.
TEST_F(WindowTest, TheFileMenuOpensAndSavesTheListThatHasTheKeyboard) {
    const std::string file = dir_.filePath("list.txt").toStdString();
    for (FileDialog* dialog : {&form_->OpenDialog1, &form_->SaveDialog1})
        dialog->runner = [&file](const FileDialog&) { return std::optional<std::string>(file); };
    form_->google_list.add_item({"http://a.example/", {"A", "", "0", "Download"}});
    find<ListViewWidget>("google_list")->setFocus();
    window_->findChild<QAction*>("save_list")->trigger();
    find<ListViewWidget>("result_list")->setFocus();
    window_->findChild<QAction*>("open_list")->trigger();
    EXPECT_TRUE(errors_.empty());
    ASSERT_EQ(form_->result_list.item_count(), 1);
    EXPECT_EQ(form_->result_list.item(0).caption, "http://a.example/");
    EXPECT_EQ(form_->result_list.column(3).caption, "Attemps");
}

TEST_F(WindowTest, ExportResultsAsCsvWritesTheChosenFileOrSaysWhyNot) {
    form_->result_list.add_item({"http://a.example/", {"A, the first", "", "", "Good"}});
    std::string chosen = dir_.filePath("results.csv").toStdString();
    window_->export_dialog().runner = [&chosen](const FileDialog&) { return std::optional<std::string>(chosen); };
    QAction* export_csv = window_->findChild<QAction*>("export_csv");
    ASSERT_NE(export_csv, nullptr);
    export_csv->trigger();
    QFile written(QString::fromStdString(chosen));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().toStdString(),
              "URL,Description,Posts average,Posts max,Result,Engine,Newest post,Reason\r\n"
              "http://a.example/,\"A, the first\",,,Good,,,\r\n");

    chosen = dir_.filePath("no_such_folder/results.csv").toStdString();
    export_csv->trigger();
    EXPECT_EQ(errors_, std::vector<std::string>{"Path not found"});
}
