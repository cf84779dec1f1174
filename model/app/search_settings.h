#pragma once

#include <QString>

class QSettings;
class TForm1;

// The window remembers the search service, its host, the search phrase, the results language
// and region, and the user agent between starts, and nothing else: the research's other options start at their initial values
// every time, and the API key is never written. Event-loop thread.

// $XDG_CONFIG_HOME/ravelmoot/ravelmoot.conf (~/.config/... without the variable).
QString search_settings_file();

// Puts the remembered values into the form: the service first, whose choice sets its own
// address, then the host, the phrase, the language, the region and the user agent. Values never written leave the form as it is.
void restore_search_settings(TForm1& form, const QSettings& settings);

// From now on writes each of these values when it changes, that value alone, so that a
// value chosen on the command line for one start is not remembered unless it is changed.
// The settings must outlive the form.
void remember_search_settings(TForm1& form, QSettings& settings);
