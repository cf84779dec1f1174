#pragma once

#include "analysis/search_service.h"

#include <string>

// Where the window keeps its files and how fast its timers tick. The program uses
// default_form_options(); tests point the folders at temporary ones and may shorten the ticks.
struct FormOptions {
    std::string download_folder;  // page copies; created private to the user when missing
    std::string debug_file;       // the debug page's save target (Edit2)
    int timer_interval_ms = 1000;
    // How the log's hints name what the person can change: the window's Options or the runner's options.
    const SettingWords* setting_words = &kWindowSettingWords;
};

// <cache>/ravelmoot/pages/ and <cache>/ravelmoot/test/_tmp.htm, <cache> being the user's cache folder.
FormOptions default_form_options();
