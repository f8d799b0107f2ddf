#include "backup/backup_form.h"
#include "charts/graph_form.h"
#include "common/month_edits.h"
#include "diary/nikki_form.h"
#include "entry/kinyu_form.h"
#include "ledger/diary_file.h"
#include "main_window/main_form.h"
#include "main_window/open_form.h"
#include "search/kensaku_form.h"
#include "settings/zei_form.h"
#include "support/accessibility_check.h"
#include "support/test_files.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace kanvelo {
namespace {

TEST(Accessibility, EveryBoxAUserTypesIntoIsNamedByItsLabel) {
    testing::TempFolder folder;
    auto ledger = std::make_unique<Ledger>();
    testing::init_default_ledger(*ledger, folder);
    ledger->nen = u"2004"_s;
    ledger->tuki = u"03"_s;
    diary_load(*ledger, ledger->nen);
    MonthEdits edits(*ledger);
    const std::function<std::unique_ptr<QWidget>()> windows[] = {
        [&] { return std::make_unique<Main_Form>(*ledger); },
        [&] { return std::make_unique<KinyuForm>(edits, 0); },
        [&] { return std::make_unique<NikkiForm>(*ledger); },
        [&] { return std::make_unique<OpenForm>(*ledger); },
        [&] { return std::make_unique<ZeiForm>(*ledger); },
        [&] { return std::make_unique<KensakuForm>(*ledger); },
        [&] { return std::make_unique<GraphForm>(*ledger); },
        [&] {
            return std::make_unique<BackupForm>(
                *ledger,
                std::vector<BackupCopy>{{QDate(2004, 3, 9), 1, ledger->month_file_path(), {}}});
        },
    };
    for (const auto& make : windows) {
        std::unique_ptr<QWidget> w = make();
        testing::expect_named_boxes(*w);
    }
}

} // namespace
} // namespace kanvelo
