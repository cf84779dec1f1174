#include "pipeline/progress_line.h"

#include "analysis/number_text.h"
#include "download/status_texts.h"

std::string progress_log_line(Cardinal status, Cardinal progress, Cardinal progress_max) {
    std::string line = BindStatusToStr(status);
    if (status == 5) line += " (" + decimal_text(progress) + "/" + decimal_text(progress_max) + ")";
    return line;
}
