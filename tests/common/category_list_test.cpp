#include "common/category_list.h"
#include "ledger/ledger.h"
#include "ledger/settings_file.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

std::unique_ptr<Ledger> default_ledger() {
    auto ledger = std::make_unique<Ledger>();
    set_default_categories(*ledger);
    return ledger;
}

TEST(CategoryList, ItemPutsTheNumberAtCharactersTwoToThreeAndTheNameAtSeven) {
    auto l = default_ledger();
    EXPECT_EQ(category_list_item(*l, 0), u"  1   繰り越し"_s);
    EXPECT_EQ(category_list_item(*l, 11), u" 12   日常食品"_s);

    const ListPick pick = category_from_list_item(category_list_item(*l, 11));
    EXPECT_EQ(pick.number, u"12"_s);
    EXPECT_EQ(pick.name, u"日常食品"_s);
    // A click copies at most six characters of a longer name.
    l->himoku[11].name = u"食料品とその他の日用品"_s;
    EXPECT_EQ(category_from_list_item(category_list_item(*l, 11)).name, u"食料品とその"_s);
    EXPECT_EQ(category_from_list_item(category_list_item(*l, 2)).number, u" 3"_s);
}

} // namespace

} // namespace kanvelo
