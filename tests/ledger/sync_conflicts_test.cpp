#include "ledger/search.h"
#include "ledger/sync_conflicts.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::testing;

TEST(SyncConflicts, EachToolsNameIsRecognisedForItsOwnFileOnly) {
    const struct {
        const char* name;
        const char* original;
        bool copy;
    } cases[] = {
        {"~202612.sync-conflict-20261208-101010-ABCDEFG.dat", "~202612.dat", true},
        {"~202612 (conflicted copy 2026-12-08 101010).dat", "~202612.dat", true},
        {"~202612 (conflicted copy Hanako 2026-12-08 101010).dat", "~202612.dat", true},
        {"~202612 (Hanako's conflicted copy 2026-12-08).dat", "~202612.dat", true},
        {"~202612 (Hanako’s conflicted copy 2026-12-08 (1)).dat", "~202612.dat", true},
        {"kanvelo.sync-conflict-20261208-101010-ABCDEFG.ini", "kanvelo.ini", true},
        {"~202611.sync-conflict-20261208-101010-ABCDEFG.dat", "~202612.dat", false},
        {"kanvelo2.sync-conflict-20261208-101010-ABCDEFG.ini", "kanvelo.ini", false},
        {"~202612.sync-conflict-20261208-101010-ABCDEF.dat", "~202612.dat", false},
        {"~202612.sync-conflict-20261208-101010-ABCDEFG.dat.tmp", "~202612.dat", false},
        {"~202612 (conflicted copy).dat", "~202612.dat", false},
        {"~202612 (conflicted copy 2026-12-08 101010).ini", "~202612.dat", false},
        {"~202612.dat.conflict-20261208-101010", "~202612.dat", false},
        {"~202612.dat", "~202612.dat", false},
        {"x~202612 (conflicted copy 2026-12-08 101010).dat", "~202612.dat", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(is_sync_conflict_copy(QString::fromUtf8(c.name), QString::fromUtf8(c.original)),
                  c.copy)
            << c.name;
}

TEST(SyncConflicts, TheFolderIsSearchedForTheOpenMonthAndTheSettingsAndSearchSkipsThem) {
    TempFolder dir;
    dir.write_lines(u"~200403.dat"_s,
                    month_file_with({entry("20040301", "2", "100", "本物", "0")}));
    dir.write_lines(u"~200403 (conflicted copy 2004-03-15 101010).dat"_s,
                    month_file_with({entry("20040301", "2", "100", "競合", "0")}));
    dir.write_bytes(u"kanvelo.sync-conflict-20040315-101010-ABCDEFG.ini"_s, "x");
    dir.write_bytes(u"~200402.sync-conflict-20040315-101010-ABCDEFG.dat"_s, "x");
    EXPECT_EQ(sync_conflict_copies(dir.path(), {u"~200403.dat"_s, u"kanvelo.ini"_s}),
              QStringList({u"kanvelo.sync-conflict-20040315-101010-ABCDEFG.ini"_s,
                           u"~200403 (conflicted copy 2004-03-15 101010).dat"_s}));
    EXPECT_TRUE(sync_conflict_copies(dir.path(), {u"~200401.dat"_s}).isEmpty());

    auto ledger = std::make_unique<Ledger>();
    init_default_ledger(*ledger, dir);
    ledger->nen = u"2004"_s;
    ledger->tuki = u"04"_s;
    for (const auto& [text, hits] : {std::pair{u"本物"_s, 1}, std::pair{u"競合"_s, 0}}) {
        SearchQuery query;
        query.text = text;
        EXPECT_EQ(search_months(*ledger, query).hits.size(), std::size_t(hits))
            << text.toStdString();
    }
}
