#include "ledger/derived_values.h"
#include "ledger/settings_file.h"

#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

using namespace kanvelo;

namespace {

SyusiRec rec(const QString& tekiyo, const QString& kingaku, const QString& himoku = u"12"_s) {
    return {u"20040305"_s, himoku, kingaku, tekiyo, u"0"_s};
}

std::unique_ptr<Ledger> month_of(int entries) {
    auto l = std::make_unique<Ledger>();
    set_default_categories(*l);
    set_default_wallets(*l);
    for (int i = 1; i <= entries; ++i)
        l->add_entry(rec(QString::number(i), QString::number(i * 100)));
    return l;
}

TEST(InsertEntry, TheEntryTakesItsPlaceAndEveryTotalCountsIt) {
    const struct {
        int at;
        QStringList order; // descriptions after the insertion
    } cases[] = {
        {1, {u"new"_s, u"1"_s, u"2"_s, u"3"_s}},
        {2, {u"1"_s, u"new"_s, u"2"_s, u"3"_s}},
        {4, {u"1"_s, u"2"_s, u"3"_s, u"new"_s}},
    };
    for (const auto& c : cases) {
        auto l = month_of(3);
        ASSERT_TRUE(insert_entry(*l, c.at, rec(u"new"_s, u"1,050"_s, u"2"_s))) << c.at;
        QStringList order;
        for (int i = 1; i <= l->kensu; ++i)
            order << l->syusi[i].tekiyo;
        EXPECT_EQ(order, c.order) << c.at;
        auto fresh = std::make_unique<Ledger>(*l);
        fresh->recompute();
        EXPECT_EQ(derived_values(*l), derived_values(*fresh)) << c.at;
        EXPECT_EQ(l->syunyu_goukei, 1050) << c.at;
    }
}

TEST(InsertEntry, OutOfRangeOrAFullMonthChangesNothing) {
    auto l = month_of(3);
    const DerivedValues before = derived_values(*l);
    EXPECT_FALSE(insert_entry(*l, 0, rec(u"x"_s, u"1"_s)));
    EXPECT_FALSE(insert_entry(*l, 5, rec(u"x"_s, u"1"_s)));
    EXPECT_EQ(l->kensu, 3);
    EXPECT_EQ(derived_values(*l), before);
    auto full = month_of(kSyusiLimit);
    EXPECT_FALSE(insert_entry(*full, 1, rec(u"x"_s, u"1"_s)));
    EXPECT_EQ(full->syusi[1].tekiyo, u"1"_s);
}

TEST(DerivedValues, PutBackTheyAreExactlyWhatWasTaken) {
    auto l = month_of(3);
    l->add_entry(rec(u"odd"_s, u"0.1"_s));
    l->add_entry(rec(u"odd"_s, u"0.2"_s));
    const DerivedValues before = derived_values(*l);
    l->remove_entry(4); // 0.1 + 0.2 - 0.1 need not be 0.2 in binary
    l->add_entry(rec(u"odd"_s, u"0.1"_s));
    l->himoku[3].jisseki = 7;
    restore_derived_values(*l, before);
    EXPECT_EQ(derived_values(*l), before);
}

} // namespace
