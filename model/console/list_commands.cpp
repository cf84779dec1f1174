#include "model/app/Downloaddemo_U.h"
#include "model/console/list_file.h"
#include "model/console/url_opening.h"

namespace {

// One open and one save dialog serve both lists; a cancelled dialog does nothing.
void open_list_into(FileDialog& dialog, ListView& list, Memo& log) {
    if (!dialog.execute()) return;
    const int overlong = load_list_file(dialog.file_name(), list);
    if (overlong > 0) log.add_line(overlong_rows_note(overlong, dialog.file_name()));
}

void save_list_from(FileDialog& dialog, const ListView& list) {
    if (dialog.execute()) save_list_file(dialog.file_name(), list);
}

// Hands the selected row's URL to the desktop; only web addresses are passed on.
void open_selected_row(const ListView& list, const std::function<bool(const std::string&)>& open_url) {
    const int row = list.selected();
    if (row < 0 || row >= list.item_count()) return;
    const std::string& url = list.item(row).caption;
    if (!is_openable_web_url(url))
        throw AppError("Only http and https addresses are opened in the browser; refused: " + url);
    if (!open_url || !open_url(url)) throw AppError("The browser could not be started for " + url);
}

}  // namespace

void TForm1::Openlist1Click() { open_list_into(OpenDialog1, google_list, memo1); }

void TForm1::Savelist1Click() { save_list_from(SaveDialog1, google_list); }

void TForm1::Save1Click() { save_list_from(SaveDialog1, result_list); }

void TForm1::OpenList2Click() { open_list_into(OpenDialog1, result_list, memo1); }

void TForm1::google_listDblClick() { open_selected_row(google_list, open_url); }

void TForm1::result_listDblClick() { open_selected_row(result_list, open_url); }
