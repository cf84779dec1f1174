#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

// An open or save dialog as a model: its settings and the last file name chosen in it.
// execute() asks the runner (the window's QFileDialog, or a test's stand-in) for a name.
struct FileFilter {
    std::string name;     // "List files (*.txt)"
    std::string pattern;  // "*.txt"
};

class FileDialog {
public:
    enum class Kind { Open, Save };
    using Runner = std::function<std::optional<std::string>(const FileDialog&)>;

    FileDialog(Kind kind, std::string title, std::vector<FileFilter> filters, std::string default_ext)
        : kind_(kind), title_(std::move(title)), filters_(std::move(filters)), default_ext_(std::move(default_ext)) {}

    Kind kind() const { return kind_; }
    const std::string& title() const { return title_; }
    const std::vector<FileFilter>& filters() const { return filters_; }
    int filter_index() const { return 0; }  // the first filter is selected whenever it opens
    const std::string& default_ext() const { return default_ext_; }
    const std::string& file_name() const { return file_name_; }

    Runner runner;

    // True when the user confirmed a name; file_name() then holds it, with the default
    // extension added to a name typed without one. A cancelled dialog changes nothing.
    bool execute();

private:
    Kind kind_;
    std::string title_;
    std::vector<FileFilter> filters_;
    std::string default_ext_;
    std::string file_name_;
};
