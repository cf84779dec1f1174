#pragma once

#include <QList>
#include <QRect>

class MainWindow;
class QSettings;

// The window comes back as it was left: its place and size (or maximised), where the forum map
// is and how the results share their row with it, and of both lists the widths the person gave
// their columns and the column they sort by. Kept under "window/" in the settings file of the
// remembered search; never the lists' rows. Event-loop thread.

// Whether a saved frame can be shown again: it is no larger than one of the screens' available
// areas and lies at least half on that screen. Screens change (a monitor unplugged, another
// resolution); a frame that fits none is not used.
bool fits_a_screen(QRect frame, const QList<QRect>& screens);

// Before the window is shown. Values never written, or unreadable, leave the window as it is;
// a saved frame that fits none of the screens is ignored.
void restore_window_state(MainWindow& window, const QSettings& settings, const QList<QRect>& screens);

void save_window_state(const MainWindow& window, QSettings& settings);
