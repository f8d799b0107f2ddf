#include "entry/calculator.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using kanvelo::Calculator;
using Key = Calculator::KeyResult;

namespace {

// Types keys into the display the way the entry window does: keys the
// calculator lets through edit the end of the display text.
Key type(Calculator& calc, const QString& keys) {
    Key last = Key::Consumed;
    for (QChar k : keys) {
        last = calc.key(k);
        if (last != Key::Insert)
            continue;
        QString text = calc.display();
        if (k == u'\b')
            text.chop(1);
        else
            text += k;
        calc.set_display(text);
    }
    return last;
}

Calculator switched_on() {
    Calculator calc;
    calc.turn_on();
    return calc;
}

} // namespace

TEST(Calculator, OpensEmptyAndShowsZerosWhenSwitchedOn) {
    Calculator calc;
    EXPECT_EQ(calc.state_text(), u"１番目の数字"_s);
    EXPECT_EQ(calc.display(), QString());
    EXPECT_EQ(calc.memory(), QString());
    EXPECT_EQ(calc.pending(), Calculator::Operator::None);
    EXPECT_FALSE(calc.second().has_value());

    calc.turn_on();
    EXPECT_EQ(calc.display(), u"0"_s);
    EXPECT_EQ(calc.memory(), u"0"_s);
    EXPECT_EQ(calc.state_text(), u"計算終了"_s);

    type(calc, u"7*"_s);
    calc.reset_for_opening();
    EXPECT_EQ(calc.state(), Calculator::State::FirstNumber);
    EXPECT_EQ(calc.display(), QString());
    EXPECT_EQ(calc.memory(), QString());
    EXPECT_EQ(calc.first(), 0);
    EXPECT_EQ(calc.pending(), Calculator::Operator::None);
}

TEST(Calculator, ChainsOperatorsShowingEachIntermediateResult) {
    Calculator calc = switched_on();
    type(calc, u"12+3+"_s);
    EXPECT_EQ(calc.display(), u"15"_s);
    EXPECT_EQ(calc.state_text(), u"演算子"_s);
    type(calc, u"4"_s);
    EXPECT_EQ(calc.state_text(), u"２番目の数字"_s);
    EXPECT_EQ(calc.display(), u"4"_s);
    EXPECT_EQ(type(calc, u"="_s), Key::Consumed);
    EXPECT_EQ(calc.display(), u"19"_s);
    EXPECT_EQ(calc.first(), 19);
    EXPECT_FALSE(calc.second().has_value());
}

TEST(Calculator, SecondOperatorReplacesThePendingOne) {
    Calculator calc = switched_on();
    type(calc, u"5++3="_s);
    EXPECT_EQ(calc.display(), u"8"_s);
    type(calc, u"5+-3="_s);
    EXPECT_EQ(calc.display(), u"2"_s);
    type(calc, u"6-*3\r"_s);
    EXPECT_EQ(calc.display(), u"18"_s);
}

TEST(Calculator, WritesResultsWithFifteenSignificantDigits) {
    Calculator calc = switched_on();
    type(calc, u"10/3="_s);
    EXPECT_EQ(calc.display(), u"3.33333333333333"_s);
    type(calc, u".1+.2="_s);
    EXPECT_EQ(calc.display(), u"0.3"_s);
    type(calc, u"3-5="_s);
    EXPECT_EQ(calc.display(), u"-2"_s);
    type(calc, u"*2="_s); // the sign survives reading the display back
    EXPECT_EQ(calc.display(), u"-4"_s);
}

TEST(Calculator, DivisionByZeroKeepsTheTypedZeroAsRunningValue) {
    Calculator calc = switched_on();
    EXPECT_EQ(type(calc, u"8/0="_s), Key::DivideByZero);
    EXPECT_EQ(calc.display(), u"0"_s);
    EXPECT_EQ(calc.first(), 0);
    EXPECT_FALSE(calc.second().has_value());
    EXPECT_EQ(calc.state(), Calculator::State::Finished);
    EXPECT_EQ(type(calc, u"+2="_s), Key::Consumed);
    EXPECT_EQ(calc.display(), u"2"_s);

    // An operator key applies the division as well.
    EXPECT_EQ(type(calc, u"9/0.0+"_s), Key::DivideByZero);
    EXPECT_EQ(calc.display(), u"0.0"_s);
    EXPECT_EQ(calc.pending(), Calculator::Operator::Tasu);
}

TEST(Calculator, DigitAfterResultStartsANewNumberAndOperatorContinuesFromIt) {
    Calculator calc = switched_on();
    type(calc, u"2+3="_s);
    type(calc, u"4"_s);
    EXPECT_EQ(calc.display(), u"4"_s);
    EXPECT_EQ(calc.state(), Calculator::State::FirstNumber);
    type(calc, u"+1="_s);
    EXPECT_EQ(calc.display(), u"5"_s);

    type(calc, u"*4="_s);
    EXPECT_EQ(calc.display(), u"20"_s);
}

TEST(Calculator, ReadsTheDisplayUpToItsFirstNonNumericCharacter) {
    Calculator calc; // typing the first number: the display holds whatever was pasted
    calc.set_display(u"12.5abc"_s);
    EXPECT_EQ(calc.amount_for_entry(), u"12.5"_s);
    type(calc, u"+1="_s);
    EXPECT_EQ(calc.display(), u"13.5"_s);

    calc.set_display(u"abc"_s);
    EXPECT_EQ(calc.amount_for_entry(), u"0"_s);
    calc.set_display(u" 1050"_s);
    EXPECT_EQ(calc.amount_for_entry(), u"1050"_s);
}

TEST(Calculator, BackspaceEditsAndOtherKeysBeepWithoutChangingState) {
    Calculator calc = switched_on();
    type(calc, u"7+"_s);
    EXPECT_EQ(type(calc, u"\b"_s), Key::Insert);
    EXPECT_EQ(calc.state(), Calculator::State::OperatorGiven);
    for (QChar k : {u'a', u'\t', u',', u'１', u' '}) {
        EXPECT_EQ(calc.key(k), Key::Beep) << int(k.unicode());
    }
    EXPECT_EQ(calc.state(), Calculator::State::OperatorGiven);
    type(calc, u"25\b="_s);
    EXPECT_EQ(calc.display(), u"9"_s);
}

TEST(Calculator, ClearFollowedByEqualsLeavesZero) {
    Calculator calc = switched_on();
    type(calc, u"7*6"_s);
    calc.clear();
    EXPECT_EQ(calc.display(), u"0"_s);
    EXPECT_EQ(calc.second(), 0);
    EXPECT_EQ(calc.pending(), Calculator::Operator::None);
    type(calc, u"="_s);
    EXPECT_EQ(calc.display(), u"0"_s);
    type(calc, u"+5="_s);
    EXPECT_EQ(calc.display(), u"5"_s);
}

TEST(Calculator, MemoryRecallSuppliesTheSecondOperand) {
    Calculator calc;
    calc.set_display(u"200"_s); // memory still empty: it counts as 0
    calc.memory_plus();
    EXPECT_EQ(calc.memory(), u"200"_s);

    calc.turn_on();
    calc.memory_plus();
    calc.memory_plus();
    type(calc, u"50"_s);
    calc.memory_minus();
    EXPECT_EQ(calc.memory(), u"-50"_s);
    calc.memory_clear();
    EXPECT_EQ(calc.memory(), u"0"_s);

    calc.clear();
    type(calc, u"200"_s);
    calc.memory_plus();
    calc.clear();
    type(calc, u"7*"_s);
    calc.memory_recall();
    EXPECT_EQ(calc.state(), Calculator::State::SecondNumber);
    EXPECT_EQ(calc.display(), u"200"_s);
    type(calc, u"="_s);
    EXPECT_EQ(calc.display(), u"1400"_s);

    calc.memory_recall(); // after a result it starts a new first number
    EXPECT_EQ(calc.state(), Calculator::State::FirstNumber);
    EXPECT_EQ(calc.display(), u"200"_s);
}

TEST(Calculator, AddsTaxRoundingDown) {
    Calculator calc = switched_on();
    type(calc, u"1000"_s);
    calc.add_tax(5);
    EXPECT_EQ(calc.display(), u"1050"_s);
    EXPECT_EQ(calc.state(), Calculator::State::Finished);

    type(calc, u"999"_s);
    calc.add_tax(8);
    EXPECT_EQ(calc.display(), u"1078"_s);
    EXPECT_EQ(calc.amount_for_entry(), u"1078"_s);

    // An operator after the tax goes on from the taxed amount.
    type(calc, u"+22="_s);
    EXPECT_EQ(calc.display(), u"1100"_s);

    EXPECT_EQ(Calculator::tax_caption(5), u"5.000%加算"_s);
    EXPECT_EQ(Calculator::tax_caption(10.5), u"10.500%加算"_s);
}
