#pragma once

#include <functional>

// Runs a user action under the window model's one guard (TForm1::guarded): an error it raises
// goes to the model's error sink instead of crossing a Qt frame. Every widget here forwards
// what the user does through one of these.
using Guard = std::function<void(const std::function<void()>& action)>;
