#pragma once

#include "analysis/page_lines.h"

#include <QObject>

#include <string>
#include <string_view>
#include <vector>

// A multi-line text field as a list of lines of bytes. Owned by the window model; event-loop
// thread only. Reading a line through line() yields at most its first kLineReadLimit
// characters, while the stored text stays whole (full_line(), lines()).
class Memo : public QObject {
    Q_OBJECT
public:

    explicit Memo(QObject* parent = nullptr);
    explicit Memo(std::vector<std::string> initial_lines, QObject* parent = nullptr);

    int count() const { return static_cast<int>(lines_.size()); }
    std::string_view line(int index) const;
    const std::string& full_line(int index) const { return lines_.at(static_cast<std::size_t>(index)); }
    const std::vector<std::string>& lines() const { return lines_; }

    void add_line(std::string text);
    void delete_line(int index);
    void clear();
    void set_lines(std::vector<std::string> lines);
    // The first line equal to text when letter case is ignored (ASCII), or -1.
    int index_of_ignoring_case(std::string_view text) const;

signals:
    void line_added(int index);
    void line_removed(int index);
    void lines_reset();

private:
    std::vector<std::string> lines_;
};
