#pragma once

#include "model/app/program_options.h"

#include <functional>
#include <string>

class PrivateSearx;
class TForm1;

// Whether the command line chooses the search (service, host or phrase).
bool names_search(const OptionValues& values);

// The search a program starts with when its command line chooses none, the remembered search
// being in the form already: that one, unless it is Google (which answers programs without
// result links) or a searx that does not answer; then a searx that answers at its usual
// loopback address when this user or the system runs it, else a private searx started in `searx` on the settings made once beside
// the remembered search. Where searx is not installed or does not start, the form stays as it
// is. Lines for standard error go to `say`. Blocks while searx starts.
// Returns which search the form now asks.
// Which search choose_answering_search left in the form.
enum class ChosenSearch { Remembered, UsualSearx, PrivateSearx };

ChosenSearch choose_answering_search(TForm1& form, PrivateSearx& searx, const std::string& program,
                             const std::function<void(const std::string&)>& say);
