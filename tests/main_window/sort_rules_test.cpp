#include "ledger/ledger.h"
#include "ledger/settings_file.h"
#include "main_window/sort_rules.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

struct E {
    const char16_t* hiduke;
    const char16_t* himoku_no;
    const char16_t* kingaku;
};

std::vector<int> order_of(std::initializer_list<E> entries, SortKey key,
                          void (*adjust)(Ledger&) = nullptr) {
    auto l = std::make_unique<Ledger>();
    set_default_categories(*l);
    set_default_wallets(*l);
    for (const E& e : entries)
        l->add_entry({QString::fromUtf16(e.hiduke),
                      QString::fromUtf16(e.himoku_no),
                      QString::fromUtf16(e.kingaku),
                      {},
                      u"0"_s});
    if (adjust)
        adjust(*l);
    return sort_order(*l, key);
}

using Order = std::vector<int>;

TEST(SortRules, EachOrderIsAStableSortOnItsKeys) {
    struct Case {
        const char* what;
        SortKey key;
        std::initializer_list<E> entries;
        Order expected;
    } cases[] = {
        {"no entries", SortKey::Kingaku, {}, {}},
        {"dates ascending, one day keeps its order",
         SortKey::Hiduke,
         {{u"20040310", u"12", u"1"},
          {u"20040302", u"12", u"2"},
          {u"20040310", u"5", u"3"},
          {u"20040301", u"12", u"4"}},
         {4, 2, 1, 3}},
        {"categories by number, not by text",
         SortKey::Himoku,
         {{u"20040301", u"12", u"1"},
          {u"20040302", u" 5 ", u"2"},
          {u"20040303", u"5", u"3"},
          {u"20040304", u"30", u"4"},
          {u"20040305", u"2", u"5"}},
         {5, 2, 3, 1, 4}},
        {"expenses by amount, then income",
         SortKey::Kingaku,
         {{u"20040301", u"2", u"300,000"},
          {u"20040302", u"12", u"500"},
          {u"20040303", u"12", u"2,000"}},
         {3, 2, 1}},
        {"1,200 above 900",
         SortKey::Kingaku,
         {{u"20040301", u"12", u"900"}, {u"20040302", u"13", u"1,200"}},
         {2, 1}},
        {"equal amounts keep their order",
         SortKey::Kingaku,
         {{u"20040301", u"12", u"500"}, {u"20040302", u"13", u"500"}, {u"20040303", u"14", u"500"}},
         {1, 2, 3}},
        {"amounts past single precision stay apart",
         SortKey::Kingaku,
         {{u"20040301", u"12", u"16,777,216"}, {u"20040302", u"12", u"16,777,217"}},
         {2, 1}},
        {"transfers count as expense, negative amounts last among them",
         SortKey::Kingaku,
         {{u"20040301", u"1", u"10"},
          {u"20040302", u"30", u"-5,000"},
          {u"20040303", u"30", u"5000"},
          {u"20040304", u"12", u"100"}},
         {3, 4, 2, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(order_of(c.entries, c.key), c.expected) << c.what;
}

TEST(SortRules, AnyKindOtherThanOneIsExpense) {
    const auto kinds = [](Ledger& l) {
        l.himoku[11].kubun = u" 1 "_s; // blanks around it: still income
        l.himoku[12].kubun = u"0"_s;
    };
    EXPECT_EQ(order_of({{u"20040301", u"12", u"900"},
                        {u"20040302", u"13", u"100"},
                        {u"20040303", u"2", u"1,000"}},
                       SortKey::Kingaku, kinds),
              (Order{2, 3, 1}));
}

TEST(SortRules, CategoriesAndAmountsThatCannotBeUsedSortLast) {
    const std::initializer_list<E> damaged = {{u"20040301", u"31", u"100"},
                                              {u"20040302", u"12", u"abc"},
                                              {u"20040303", u"2", u"50"},
                                              {u"20040304", u"2.5", u"70"},
                                              {u"20040305", u"12", u"10"}};
    EXPECT_EQ(order_of(damaged, SortKey::Kingaku), (Order{5, 3, 1, 2, 4}));
    EXPECT_EQ(order_of(damaged, SortKey::Himoku), (Order{3, 2, 5, 1, 4}));
}

} // namespace

} // namespace kanvelo
