#pragma once

#include <QChar>
#include <QString>
#include <optional>

namespace kanvelo {

// The entry window's four-function calculator without its widgets: one running
// value, one pending operator and a memory. The window shows display() and
// memory() after every call and hands typed text back through set_display().
class Calculator {
public:
    enum class State { FirstNumber, OperatorGiven, SecondNumber, Finished };
    enum class Operator { None, Tasu, Hiku, Kakeru, Waru };

    // What the window does with a key typed into the display.
    enum class KeyResult {
        Insert,       // let the display edit itself with the key (after showing display())
        Consumed,     // swallow the key
        Beep,         // swallow the key with a beep
        DivideByZero, // swallow the key and show the division message
    };

    Calculator() { reset_for_opening(); }

    // Fresh state of every entry window opened by the entry loop.
    void reset_for_opening();
    // "電卓": shows 0 and a zero memory, as after a finished calculation.
    void turn_on();

    // A character typed into the display (Backspace as '\b', Enter as '\r').
    KeyResult key(QChar k);
    // The display's text after the window let it edit itself.
    void set_display(const QString& text) { display_ = text; }

    void memory_plus();
    void memory_minus();
    void memory_recall();
    void memory_clear();
    void add_tax(double zeiritu);
    void clear();

    // The display as plain number text for the amount box ("金額欄に記入").
    QString amount_for_entry() const;

    // Caption of the tax button: "5.000%加算" for a rate of 5.
    static QString tax_caption(double zeiritu);

    State state() const { return state_; }
    QString state_text() const;
    Operator pending() const { return operator_; }
    double first() const { return first_; }
    std::optional<double> second() const { return second_; }
    QString display() const { return display_; }
    QString memory() const { return memory_; }

private:
    KeyResult operator_key(Operator op);
    KeyResult equals_key();
    bool apply_pending();
    void start_number();
    double display_value() const;

    State state_ = State::FirstNumber;
    Operator operator_ = Operator::None;
    double first_ = 0;
    std::optional<double> second_;
    QString display_;
    QString memory_;
};

} // namespace kanvelo
