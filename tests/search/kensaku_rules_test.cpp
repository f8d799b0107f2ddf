#include "search/kensaku_rules.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kanvelo;

TEST(KensakuQuery, BoxesBecomeBoundsOrARefusalNamingTheBox) {
    struct Case {
        KensakuInput in;
        std::optional<KensakuBox> refused; // nullopt: searched
        QString from_date;
        std::optional<double> from_amount;
    };
    const Case cases[] = {
        {{u"  "_s, {}, {}, {}, {}}, {}, {}, {}},
        {{{}, u" 1,000 "_s, {}, {}, {}}, {}, {}, 1000.0},
        {{{}, u"１，０００"_s, {}, {}, {}}, {}, {}, 1000.0},
        {{{}, u"千円"_s, {}, {}, {}}, KensakuBox::KingakuFrom, {}, {}},
        {{{}, {}, u"1,000,000,000,000,000"_s, {}, {}}, KensakuBox::KingakuTo, {}, {}},
        {{{}, u"2,000"_s, u"1,999"_s, {}, {}}, KensakuBox::KingakuTo, {}, {}},
        {{{}, {}, {}, u"2007/1/5"_s, {}}, {}, u"20070105"_s, {}},
        {{{}, {}, {}, u"２００７／０１／０５"_s, u"20070105"_s}, {}, u"20070105"_s, {}},
        {{{}, {}, {}, u"2007/02/29"_s, {}}, KensakuBox::HidukeFrom, {}, {}},
        {{{}, {}, {}, {}, u"1899/12/31"_s}, KensakuBox::HidukeTo, {}, {}},
        {{{}, {}, {}, u"2007/01/06"_s, u"2007/01/05"_s}, KensakuBox::HidukeTo, {}, {}},
    };
    for (const Case& c : cases) {
        const auto got = kensaku_query(c.in);
        const auto* refusal = std::get_if<KensakuRefusal>(&got);
        const QString what = c.in.kingaku_from + u'|' + c.in.kingaku_to + u'|' + c.in.hiduke_from;
        ASSERT_EQ(refusal != nullptr, c.refused.has_value()) << qPrintable(what);
        if (refusal) {
            EXPECT_EQ(refusal->box, *c.refused) << qPrintable(what);
            continue;
        }
        const auto& q = std::get<SearchQuery>(got);
        EXPECT_EQ(q.hiduke_from, c.from_date) << qPrintable(what);
        EXPECT_EQ(q.kingaku_from, c.from_amount) << qPrintable(what);
    }
}
