#include "ledger/folder_lock.h"
#include "ledger/ledger.h"
#include "ledger/line_file.h"
#include "main_window/folder_guard.h"
#include "support/gui_month_view.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSysInfo>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

const QString kMonth = u"~200403.dat"_s;

struct FolderGuardTest : MonthViewTest {
    std::unique_ptr<FolderLock> first; // the other program
    std::unique_ptr<FolderGuard> guard;

    void TearDown() override {
        MonthViewTest::TearDown();
        guard.reset();
        first.reset();
    }
    bool open_second(bool read_only) {
        first = std::make_unique<FolderLock>(folder.path());
        EXPECT_TRUE(first->take());
        guard = std::make_unique<FolderGuard>(folder.path());
        messages.answer_next(read_only ? MsgAnswer::Yes : MsgAnswer::No);
        return guard->open(nullptr);
    }
    void start_read_only(const QList<QStringList>& entries) {
        start(entries);
        ASSERT_TRUE(open_second(true));
        main->set_folder_guard(guard.get());
        main->startup();
        messages.clear();
    }
    QMap<QString, QByteArray> files() const {
        QMap<QString, QByteArray> all;
        for (const QString& name : QDir(folder.path()).entryList(QDir::Files))
            all.insert(name, folder.read_bytes(name));
        return all;
    }
    QStringList conflict_copies() const {
        return QDir(folder.path()).entryList({kMonth + u".conflict-*"_s}, QDir::Files);
    }
};

const QStringList kOurs = entry("20040301", "12", "300", "ぶどう", "0");
const QStringList kTheirs = entry("20040302", "12", "500", "もも", "0");

} // namespace

TEST_F(FolderGuardTest, ASecondProgramIsToldWhoHoldsTheFolderAndOpensReadOnlyOrNotAtAll) {
    const struct {
        bool read_only;
        bool opened;
    } cases[] = {{true, true}, {false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.read_only);
        messages.clear();
        EXPECT_EQ(open_second(c.read_only), c.opened);
        EXPECT_EQ(guard->read_only(), c.read_only);
        ASSERT_EQ(messages.messages().size(), 1u);
        const Message& asked = messages.messages().front();
        EXPECT_TRUE(asked.text.contains(QSysInfo::machineHostName()));
        EXPECT_TRUE(asked.text.contains(QDate::currentDate().toString(u"yyyy年M月d日"_s)));
        guard.reset();
        first.reset();
    }
    FolderGuard alone(folder.path());
    messages.clear();
    EXPECT_TRUE(alone.open(nullptr));
    EXPECT_FALSE(alone.read_only());
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(FolderGuardTest, ReadOnlyRefusesEveryCommandThatWritesAndEndsWithoutAQuestion) {
    start_read_only({kOurs});
    EXPECT_TRUE(main->windowTitle().contains(u"読み取り専用"_s));
    const QMap<QString, QByteArray> before = files();
    const char* commands[] = {
        "Menu_Save",  "MenuOpen",         "MenuBackup",      "MenuTeisei",
        "MenuSakujo", "MenuSortHiduke",   "MenuSortHimoku",  "MenuSortKingaku",
        "MenuBudget", "MenuOptionHimoku", "OptionMenuSaifu", "MenuOptionZei",
        "MenuNikki",  "menu_資産",        "Main_Kinyu",      "Main_Saifu",
    };
    for (const char* command : commands) {
        SCOPED_TRACE(command);
        messages.clear();
        const QString name = QString::fromUtf8(command);
        if (auto* button = main->findChild<QPushButton*>(name)) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            auto* action = main->findChild<QAction*>(name);
            ASSERT_NE(action, nullptr);
            action->trigger();
        }
        ASSERT_EQ(messages.messages().size(), 1u);
        EXPECT_TRUE(messages.messages().front().text.startsWith(u"読み取り専用で開いているので"_s));
    }
    EXPECT_TRUE(modals.opened().isEmpty()) << modals.opened().join(u' ').toStdString();
    EXPECT_EQ(ledger->kensu, 1);

    messages.clear();
    EXPECT_FALSE(guard->refuses(main.get(), u"MenuKensaku"_s));
    EXPECT_TRUE(messages.messages().empty());

    ASSERT_TRUE(write_line_file(folder.file(kMonth), {u"x"_s}).has_value());

    int ends = 0;
    main->set_on_end([&] { ++ends; });
    QTest::mouseClick(child<QPushButton>(*main, "Main_Syuryo"), Qt::LeftButton);
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(modals.opened().isEmpty());
    EXPECT_EQ(files(), before);
}

TEST_F(FolderGuardTest, ReadOnlyWindowClosedByItsCloseBoxEndsWithoutAQuestion) {
    start_read_only({kOurs});
    int ends = 0;
    main->set_on_end([&] { ++ends; });
    main->show();
    main->close();
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(modals.opened().isEmpty());
}

TEST_F(FolderGuardTest, AMonthChangedOnTheDiskIsKeptAndTheUserChoosesWithoutLosingEither) {
    const struct {
        const char* what;
        std::vector<MsgAnswer> answers;
        int questions;
        QStringList shown;
    } cases[] = {
        {"keep mine", {MsgAnswer::Yes}, 1, kOurs},
        {"load theirs", {MsgAnswer::No, MsgAnswer::Yes}, 2, kTheirs},
        {"load, then think again", {MsgAnswer::No, MsgAnswer::No, MsgAnswer::Yes}, 3, kOurs},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        main.reset();
        for (const QString& name : conflict_copies())
            QFile::remove(folder.file(name));
        messages.clear();
        start({kOurs});
        trigger("Menu_Save");
        ASSERT_TRUE(messages.messages().empty()) << "the program's own save asks nothing";
        const QByteArray ours_on_disk = folder.read_bytes(kMonth);
        folder.write_lines(kMonth, month_file_with({kTheirs}));
        set_modified(folder.file(kMonth), QDateTime::currentDateTime().addSecs(5));
        const QByteArray theirs_on_disk = folder.read_bytes(kMonth);
        messages.clear();
        for (MsgAnswer a : c.answers)
            messages.answer_next(a);
        trigger("Menu_Save");

        ASSERT_EQ(int(messages.messages().size()), c.questions);
        ASSERT_EQ(conflict_copies().size(), 1);
        EXPECT_TRUE(messages.texts().first().contains(conflict_copies().first()));
        EXPECT_EQ(folder.read_bytes(conflict_copies().first()), theirs_on_disk);
        ASSERT_EQ(ledger->kensu, 1);
        EXPECT_EQ(grid("Main_Grid1")->text(1, 3), c.shown.at(3));
        EXPECT_EQ(folder.read_bytes(kMonth), c.shown == kOurs ? ours_on_disk : theirs_on_disk);
    }
}

TEST_F(FolderGuardTest, SyncToolsCopiesAreReportedAtStartAndWhenTheirMonthOpens) {
    const QString march_copy = u"~200403 (conflicted copy 2004-03-15 101010).dat"_s;
    const QString april_copy = u"~200404.sync-conflict-20040315-101010-ABCDEFG.dat"_s;
    folder.write_lines(march_copy, month_file_with({kTheirs}));
    folder.write_lines(april_copy, month_file_with({kTheirs}));
    start({kOurs});
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.texts().first().contains(march_copy));
    EXPECT_FALSE(messages.texts().first().contains(april_copy));
    EXPECT_TRUE(messages.texts().first().contains(QDir::toNativeSeparators(folder.path())));
    EXPECT_EQ(ledger->kensu, 1);

    messages.clear();
    main->show_found_entry(2004, 4, 1);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.texts().first().contains(april_copy));
}
