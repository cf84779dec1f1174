#include "model/app/controls/file_dialog.h"

namespace {

bool has_extension(const std::string& name) {
    const auto slash = name.find_last_of('/');
    const auto dot = name.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash) && dot + 1 < name.size();
}

}  // namespace

bool FileDialog::execute() {
    if (!runner) return false;
    auto chosen = runner(*this);
    if (!chosen || chosen->empty()) return false;
    if (!default_ext_.empty() && !has_extension(*chosen)) *chosen += "." + default_ext_;
    file_name_ = std::move(*chosen);
    return true;
}
