#include "ledger/category_rules_file.h"
#include "ledger/line_file.h"
#include "support/qt_print.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using namespace kanvelo;
using namespace kanvelo::testing;
using namespace Qt::StringLiterals;

TEST(CategoryRulesFile, WritesWhatItReadsAndKeepsDamagedLinesAndUndecodableBytes) {
    TempFolder dir;
    const QByteArray bytes =
        cp932_bytes({u"ルール\tアマゾン\t12\t"_s, u"ルール\tＥＴＣ\t8\t3"_s,
                     u"形式\t0123456789abcdef\t1\t3\t\t5\t6\t2\t1"_s, u"ルール\tこわれた\t31\t"_s,
                     u"ルール\t\t5\t"_s, u"メモ\tなにか"_s, u"ルール\tX\t5\t"_s},
                    {{6, *encode_cp932(u"ルール\t"_s) + QByteArray("\x85\x40\t5\t")}});
    dir.write_bytes(kRulesFile, bytes);
    const CategoryRulesRead read = read_category_rules(dir.file(kRulesFile));
    ASSERT_FALSE(read.report.unreadable);
    EXPECT_EQ(read.rules.rules.size(), 3u) << "the undecodable text is a rule of its own";
    EXPECT_EQ(read.rules.rules.at(1), (CategoryRule{u"ＥＴＣ"_s, 8, 3}));
    ASSERT_EQ(read.rules.layouts.size(), 1u);
    const ImportLayout& l = read.rules.layouts.front();
    EXPECT_EQ(l.columns, (StatementColumns{0, 2, -1, 4, 5}));
    EXPECT_EQ(l.saifu_no, 2);
    EXPECT_TRUE(l.flip);
    QList<int> damaged;
    for (const FileError& e : read.report.errors)
        damaged << e.line;
    std::sort(damaged.begin(), damaged.end());
    EXPECT_EQ(damaged, (QList<int>{4, 5, 6, 7})) << "line 7 holds undecodable bytes";

    ASSERT_FALSE(write_category_rules(dir.file(kRulesFile), read.rules));
    const QByteArray written = dir.read_bytes(kRulesFile);
    EXPECT_TRUE(written.contains("\x85\x40")) << "undecodable bytes go back as they were";
    const CategoryRulesRead again = read_category_rules(dir.file(kRulesFile));
    EXPECT_EQ(again.rules, read.rules);
    ASSERT_FALSE(write_category_rules(dir.file(kRulesFile), again.rules));
    EXPECT_EQ(dir.read_bytes(kRulesFile), written);
}

TEST(CategoryRulesFile, AMissingFileHasNoRulesAndLayoutsAreRememberedOncePerId) {
    TempFolder dir;
    CategoryRulesRead read = read_category_rules(dir.file(kRulesFile));
    EXPECT_TRUE(read.report.missing);
    EXPECT_TRUE(read.report.errors.empty());
    CategoryRules& r = read.rules;
    r.remember({layout_id(u"日付\t内容"_s), std::nullopt, 1, false});
    r.remember({layout_id(u"日付\t内容"_s), std::nullopt, 4, true});
    r.remember({layout_id(u"列数 3"_s), StatementColumns{0, 1, 2, -1, -1}, 0, false});
    ASSERT_EQ(r.layouts.size(), 2u);
    EXPECT_EQ(r.layout(layout_id(u"日付\t内容"_s))->saifu_no, 4);
    EXPECT_EQ(r.layout(layout_id(u"日付\t内容 "_s)), nullptr);
    ASSERT_FALSE(write_category_rules(dir.file(kRulesFile), r));
    EXPECT_EQ(read_category_rules(dir.file(kRulesFile)).rules, r);
}

TEST(CategoryRulesFile, TheFirstRuleFoundInTheDescriptionWinsIgnoringCaseAndWidth) {
    const std::vector<CategoryRule> rules{
        {u"amazon"_s, 12, -1}, {u"ｺﾝﾋﾞﾆ"_s, 11, -1}, {u"ＪＲ"_s, 8, 2}, {u"コンビニ"_s, 9, -1}};
    const RuleMatcher m(rules);
    const struct {
        QString description;
        int himoku; // 0: none
    } cases[] = {
        {u"AMAZON.CO.JP"_s, 12}, {u"セブンコンビニ"_s, 11},
        {u"jr東日本"_s, 8},      {u"ＪＲ東海 Amazon"_s, 12},
        {u"書店"_s, 0},          {u""_s, 0},
    };
    for (const auto& c : cases) {
        const CategoryRule* r = m.match(c.description);
        EXPECT_EQ(r ? r->himoku_no : 0, c.himoku) << c.description.toStdString();
    }
}
