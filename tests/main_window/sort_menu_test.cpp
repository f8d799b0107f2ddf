#include "editing/month_view_test.h"

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

using namespace testing;

using SortMenuTest = testing::EntryEditTest;

TEST_F(SortMenuTest, EachSortRebuildsTheGridKeepsTheSelectedEntryAndIsWhatTheSaveWrites) {
    start({entry("20040310", "2", "300,000", "給料", "1"),
           entry("20040305", "12", "500", "パン", "0"),
           entry("20040305", "13", "2,000", "外食", "0"),
           entry("20040301", "12", "1,200", "スーパー", "0"),
           entry("20040302", "12", "900", "八百屋", "0")});
    const QStringList totals_before = totals();
    QStringList grid2_before;
    for (int n = 1; n <= 30; ++n)
        grid2_before << grid2()->text(n, 2) + u' ' + grid2()->text(n, 6);
    select(3);
    struct Case {
        const char* menu;
        QStringList rows;
        int selected; // where 外食 went
    } cases[] = {
        {"MenuSortHiduke",
         {u"01|日常食品|1,200|スーパー"_s, u"02|日常食品|900|八百屋"_s, u"05|日常食品|500|パン"_s,
          u"05|外食|2,000|外食"_s, u"10|給料|300,000|給料"_s},
         4},
        {"MenuSortHimoku",
         {u"10|給料|300,000|給料"_s, u"01|日常食品|1,200|スーパー"_s, u"02|日常食品|900|八百屋"_s,
          u"05|日常食品|500|パン"_s, u"05|外食|2,000|外食"_s},
         5},
        {"MenuSortKingaku",
         {u"05|外食|2,000|外食"_s, u"01|日常食品|1,200|スーパー"_s, u"02|日常食品|900|八百屋"_s,
          u"05|日常食品|500|パン"_s, u"10|給料|300,000|給料"_s},
         1},
    };
    for (const Case& c : cases) {
        trigger(c.menu);
        EXPECT_EQ(grid1_rows(), c.rows + QStringList{u"|||"_s}) << c.menu;
        EXPECT_EQ(grid1()->row(), c.selected) << c.menu;
        EXPECT_EQ(totals(), totals_before) << c.menu;
    }
    QStringList grid2_after;
    for (int n = 1; n <= 30; ++n)
        grid2_after << grid2()->text(n, 2) + u' ' + grid2()->text(n, 6);
    EXPECT_EQ(grid2_after, grid2_before);

    trigger("Menu_Save");
    const QList<QStringList> saved = saved_entries();
    ASSERT_EQ(saved.size(), 5);
    EXPECT_EQ(saved.at(0).at(3), u"外食");
    EXPECT_EQ(saved.at(4).at(3), u"給料");

    // A restart finds the month as it was left.
    main.reset();
    ledger = std::make_unique<Ledger>();
    ledger->app_path = folder.path();
    main = std::make_unique<Main_Form>(*ledger);
    main->set_splash_enabled(false);
    main->startup();
    EXPECT_EQ(grid1_rows(), cases[2].rows + QStringList{u"|||"_s});
    EXPECT_EQ(totals(), totals_before);
}

TEST_F(SortMenuTest, SortingAnEmptyMonthLeavesTheGridAsItWas) {
    start({});
    for (const char* menu : {"MenuSortHiduke", "MenuSortHimoku", "MenuSortKingaku"}) {
        trigger(menu);
        EXPECT_EQ(grid1_rows(), QStringList{u"|||"_s}) << menu;
    }
}

} // namespace

} // namespace kanvelo
