#pragma once

#include "model/app/controls/list_rows.h"

// The rows of a research, by list: the forum queue (google_list), the results (result_list) and
// the links the search collected (google_res). The window model owns them and presents each
// through its list view, the one way they change; event-loop thread only.
struct ResearchRows {
    ListRows queue;
    ListRows results;
    ListRows links;
};
