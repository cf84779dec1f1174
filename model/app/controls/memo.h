#pragma once

#include "analysis/page_lines.h"

#include <QObject>

#include <string>
#include <string_view>
#include <vector>

// A multi-line text field as a list of lines of bytes. Owned by the window model; event-loop
// thread only. Reading a line through line() yields at most its first kLineReadLimit
// characters, while the stored text stays whole (full_line(), lines()).
//
// A memo either owns its lines or shows a page (set_page): then its lines are views into the
// page's one buffer, shared with whoever else holds the page. Changing a line of a page makes
// the memo own its lines first.
class Memo : public QObject {
    Q_OBJECT
public:

    explicit Memo(QObject* parent = nullptr);
    explicit Memo(std::vector<std::string> initial_lines, QObject* parent = nullptr);

    int count() const { return static_cast<int>(showing_page_ ? page_.size() : lines_.size()); }
    std::string_view line(int index) const;
    std::string_view full_line(int index) const;
    // A copy of every line; for small memos and checks, not for a page.
    std::vector<std::string> lines() const;

    void add_line(std::string text);
    void delete_line(int index);
    void clear();
    void set_lines(std::vector<std::string> lines);
    // Shows page, holding it shared rather than copying its lines.
    void set_page(PageLines page);
    // The first line equal to text when letter case is ignored (ASCII), or -1.
    int index_of_ignoring_case(std::string_view text) const;

signals:
    void line_added(int index);
    void line_removed(int index);
    void lines_reset();

private:
    void own_lines();

    std::vector<std::string> lines_;
    PageLines page_;
    bool showing_page_ = false;
};
