#include "entry/calculator.h"

#include "ledger/values.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace kanvelo {

void Calculator::reset_for_opening() {
    state_ = State::FirstNumber;
    operator_ = Operator::None;
    first_ = 0;
    second_.reset();
    display_.clear();
    memory_.clear();
}

void Calculator::turn_on() {
    display_ = u"0"_s;
    state_ = State::Finished;
    memory_ = u"0"_s;
}

Calculator::KeyResult Calculator::key(QChar k) {
    if ((k >= u'0' && k <= u'9') || k == u'.') {
        start_number();
        return KeyResult::Insert;
    }
    switch (k.unicode()) {
    case u'+':
        return operator_key(Operator::Tasu);
    case u'-':
        return operator_key(Operator::Hiku);
    case u'*':
        return operator_key(Operator::Kakeru);
    case u'/':
        return operator_key(Operator::Waru);
    case u'=':
    case u'\r':
        return equals_key();
    case u'\b':
        return KeyResult::Insert;
    default:
        return KeyResult::Beep;
    }
}

Calculator::KeyResult Calculator::operator_key(Operator op) {
    bool divided_by_zero = false;
    switch (state_) {
    case State::FirstNumber:
        first_ = display_value();
        break;
    case State::SecondNumber:
        second_ = display_value();
        divided_by_zero = !apply_pending();
        break;
    case State::OperatorGiven: // the new operator replaces the pending one
    case State::Finished:      // continue from the last result
        break;
    }
    operator_ = op;
    state_ = State::OperatorGiven;
    return divided_by_zero ? KeyResult::DivideByZero : KeyResult::Consumed;
}

Calculator::KeyResult Calculator::equals_key() {
    bool divided_by_zero = false;
    if (state_ == State::SecondNumber) {
        second_ = display_value();
        divided_by_zero = !apply_pending();
    }
    state_ = State::Finished;
    return divided_by_zero ? KeyResult::DivideByZero : KeyResult::Consumed;
}

// Returns false on a division by zero, which leaves the display as typed.
bool Calculator::apply_pending() {
    const double b = second_.value_or(0);
    bool ok = true;
    switch (operator_) {
    case Operator::Tasu:
        display_ = plain_number(first_ + b);
        break;
    case Operator::Hiku:
        display_ = plain_number(first_ - b);
        break;
    case Operator::Kakeru:
        display_ = plain_number(first_ * b);
        break;
    case Operator::Waru:
        if (b == 0)
            ok = false;
        else
            display_ = plain_number(first_ / b);
        break;
    case Operator::None:
        break;
    }
    // The running value is what the display shows, so both always agree.
    first_ = display_value();
    second_.reset();
    return ok;
}

// A number given after an operator or after a result replaces the display.
void Calculator::start_number() {
    if (state_ == State::OperatorGiven) {
        display_.clear();
        state_ = State::SecondNumber;
    } else if (state_ == State::Finished) {
        display_.clear();
        state_ = State::FirstNumber;
    }
}

double Calculator::display_value() const {
    return leading_number(display_);
}

void Calculator::memory_plus() {
    memory_ = plain_number(leading_number(memory_) + display_value());
}

void Calculator::memory_minus() {
    memory_ = plain_number(leading_number(memory_) - display_value());
}

void Calculator::memory_recall() {
    start_number();
    display_ = memory_;
}

void Calculator::memory_clear() {
    memory_ = u"0"_s;
}

void Calculator::add_tax(double zeiritu) {
    display_ = plain_number(std::floor(display_value() * (zeiritu / 100 + 1)));
    state_ = State::Finished;
    // The taxed amount is a result: an operator typed next continues from it.
    first_ = display_value();
}

void Calculator::clear() {
    display_ = u"0"_s;
    state_ = State::Finished;
    first_ = 0;
    second_ = 0;
    operator_ = Operator::None;
}

QString Calculator::amount_for_entry() const {
    return plain_number(display_value());
}

QString Calculator::tax_caption(double zeiritu) {
    return format_number(zeiritu, u"0.000"_s) + u"%加算"_s;
}

QString Calculator::state_text() const {
    switch (state_) {
    case State::FirstNumber:
        return u"１番目の数字"_s;
    case State::OperatorGiven:
        return u"演算子"_s;
    case State::SecondNumber:
        return u"２番目の数字"_s;
    case State::Finished:
        break;
    }
    return u"計算終了"_s;
}

} // namespace kanvelo
