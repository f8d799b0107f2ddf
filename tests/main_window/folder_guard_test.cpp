// Two programs, another computer's sync tool and one data folder: the main
// window asks before anything could be lost.
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
    // The second program on the folder, answering the question with `read_only`.
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
    // Every file of the folder and its bytes.
    QMap<QString, QByteArray> files() const {
        QMap<QString, QByteArray> all;
        for (const QString& name : QDir(folder.path()).entryList(QDir::Files))
            all.insert(name, folder.read_bytes(name));
        return all;
    }
    // Another program's save of the month with these entries.
    void other_writes(const QList<QStringList>& entries) {
        folder.write_lines(kMonth, month_file_with(entries));
        set_modified(folder.file(kMonth), QDateTime::currentDateTime().addSecs(5));
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
        EXPECT_EQ(asked.choices, QStringList({u"読み取り専用で開く"_s, u"終了"_s}));
        guard.reset();
        first.reset();
    }
    // A free folder, or one left by this program's earlier run: no question.
    FolderGuard alone(folder.path());
    messages.clear();
    EXPECT_TRUE(alone.open(nullptr));
    EXPECT_FALSE(alone.read_only());
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(FolderGuardTest, ReadOnlyRefusesEveryCommandThatWritesAndEndsWithoutAQuestion) {
    start_read_only({kOurs});
    EXPECT_TRUE(main->windowTitle().contains(u"読み取り専用"_s))
        << main->windowTitle().toStdString();
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

    // Looking stays possible.
    messages.clear();
    EXPECT_FALSE(guard->refuses(main.get(), u"MenuKensaku"_s));
    EXPECT_TRUE(messages.messages().empty());

    // A window that writes on its own meets the writer's refusal.
    ASSERT_TRUE(write_line_file(folder.file(kMonth), {u"x"_s}).has_value());

    int ends = 0;
    main->set_on_end([&] { ++ends; });
    QTest::mouseClick(child<QPushButton>(*main, "Main_Syuryo"), Qt::LeftButton);
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(modals.opened().isEmpty()) << "no question at the end";
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
        QList<QStringList> on_screen_after;
    } cases[] = {
        {"keep mine", {MsgAnswer::Yes}, 1, {kOurs}},
        {"load theirs", {MsgAnswer::No, MsgAnswer::Yes}, 2, {kTheirs}},
        {"load, then think again", {MsgAnswer::No, MsgAnswer::No, MsgAnswer::Yes}, 3, {kOurs}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        main.reset();
        for (const QString& name : conflict_copies())
            QFile::remove(folder.file(name));
        start({kOurs});
        const QByteArray ours_on_disk = folder.read_bytes(kMonth);
        other_writes({kTheirs});
        const QByteArray theirs_on_disk = folder.read_bytes(kMonth);
        messages.clear();
        for (MsgAnswer a : c.answers)
            messages.answer_next(a);
        trigger("Menu_Save");

        ASSERT_EQ(int(messages.messages().size()), c.questions);
        const Message& first_question = messages.messages().front();
        ASSERT_EQ(conflict_copies().size(), 1);
        EXPECT_TRUE(first_question.text.contains(conflict_copies().first()));
        EXPECT_EQ(first_question.choices,
                  QStringList({u"今の内容で保存"_s, u"ディスクの内容を読み込む"_s}));
        EXPECT_EQ(folder.read_bytes(conflict_copies().first()), theirs_on_disk);
        const QStringList& shown = c.on_screen_after.front();
        ASSERT_EQ(ledger->kensu, 1);
        EXPECT_EQ(ledger->syusi[1].tekiyo, shown.at(3));
        EXPECT_EQ(grid("Main_Grid1")->text(1, 3), shown.at(3));
        EXPECT_EQ(folder.read_bytes(kMonth), shown == kOurs ? ours_on_disk : theirs_on_disk);
    }
}

TEST_F(FolderGuardTest, TheProgramsOwnSavesAskNothing) {
    start({kOurs});
    for (int i = 0; i < 3; ++i)
        trigger("Menu_Save");
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_TRUE(conflict_copies().isEmpty());
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
    EXPECT_EQ(ledger->kensu, 1) << "the copy is not read";

    messages.clear();
    main->show_found_entry(2004, 4, 1);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.texts().first().contains(april_copy));
}
