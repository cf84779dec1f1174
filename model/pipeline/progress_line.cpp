#include "model/pipeline/progress_line.h"

#include "analysis/number_text.h"
#include "download/binding_interfaces.h"
#include "download/status_texts.h"

std::string progress_log_line(Cardinal status, Cardinal progress, Cardinal progress_max) {
    std::string line = BindStatusToStr(status);
    if (status == BINDSTATUS_DOWNLOADINGDATA)
        line += " (" + decimal_text(progress) + "/" + decimal_text(progress_max) + ")";
    return line;
}
