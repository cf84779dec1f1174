#pragma once

#include <QObject>

#include <string>

// An integer field (spin edit) as a model: the value is held as decimal text. Reading converts
// the text strictly; text that is not a number reads as the lower limit. A field whose lower
// and upper limits are both 0 has no limits. Event-loop thread only.
class IntField : public QObject {
    Q_OBJECT
public:
    IntField(int initial, int min_value, int max_value, int step, int max_length = 0,
             QObject* parent = nullptr);

    const std::string& text() const { return text_; }
    // Text as typed or pasted; not corrected until the field loses focus.
    void set_text(std::string text);

    // The strict conversion of the text, the lower limit when it is not a number, and kept
    // within the limits when the field has them.
    int value() const;
    // Set from code: kept within the limits.
    void set_value(int value);
    // One step up (+1) or down (-1) from the current value, within the limits.
    void step_by(int direction);
    // What the field does when it loses the keyboard focus: a field with limits corrects its
    // text to the nearest limit.
    void correct_to_limits();

    bool has_limits() const { return min_value_ != 0 || max_value_ != 0; }
    int min_value() const { return min_value_; }
    int max_value() const { return max_value_; }
    int step() const { return step_; }
    // At most this many characters can be typed; 0 = no limit.
    int max_length() const { return max_length_; }
    // The typing rule: digits, '+', '-', the decimal separator and control keys other than Enter.
    static bool accepts_typed_char(char32_t c);

    bool enabled() const { return enabled_; }
    void set_enabled(bool enabled);

signals:
    void changed();  // the text changed (typed or set from code)
    void enabled_changed(bool enabled);

private:
    int clamp(long long value) const;

    std::string text_;
    int min_value_;
    int max_value_;
    int step_;
    int max_length_;
    bool enabled_ = true;
};
