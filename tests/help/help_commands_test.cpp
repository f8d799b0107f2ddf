#include "help/help_commands.h"
#include "help/help_form.h"
#include "ledger/ledger.h"
#include "platform/desktop.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace kanvelo {
namespace {

// Stands in for the desktop: records what would have been opened and answers
// with a chosen result code.
class FakeShell {
public:
    explicit FakeShell(int result = 42) : result_(result) {
        set_shell_open_for_tests([this](const QString& target) {
            opened.append(target);
            return result_;
        });
    }
    ~FakeShell() { set_shell_open_for_tests({}); }
    FakeShell(const FakeShell&) = delete;
    FakeShell& operator=(const FakeShell&) = delete;

    void answer(int result) { result_ = result; }
    QStringList opened;

private:
    int result_;
};

class HelpCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ledger = std::make_unique<Ledger>();
        testing::init_default_ledger(*ledger, folder);
    }
    testing::TempFolder folder;
    std::unique_ptr<Ledger> ledger;
    MessageRecorder messages;
};

TEST_F(HelpCommands, WithoutADocumentTheBuiltInGuideOpensOnItsContents) {
    FakeShell shell;
    ModalDriver modals;
    QString page;
    modals.next([&](QDialog& d) {
        page = static_cast<HelpForm&>(d).current_page();
        d.accept();
    });
    show_manual(nullptr, *ledger);
    EXPECT_EQ(page, u"index.html"_s);
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(HelpCommands, ManualInTheFolderIsHandedToTheDesktopWhateverItsResult) {
    folder.write_bytes(u"poro.doc"_s, "manual");
    FakeShell shell(2);
    show_manual(nullptr, *ledger);
    EXPECT_EQ(shell.opened, QStringList{folder.file(u"poro.doc"_s)});
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(HelpCommands, ManualIsFoundUnderItsUpperCaseName) {
    folder.write_bytes(u"PORO.DOC"_s, "manual");
    FakeShell shell;
    show_manual(nullptr, *ledger);
    EXPECT_EQ(shell.opened, QStringList{folder.file(u"PORO.DOC"_s)});
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(HelpCommands, MakerPageNotFoundBeepsAndAsksToGetOnline) {
    FakeShell shell(2);
    const int beeps = beep_count_for_tests();
    open_maker_page(nullptr);
    EXPECT_EQ(shell.opened, QStringList{kMakerPageUrl});
    EXPECT_EQ(beep_count_for_tests(), beeps + 1);
    ASSERT_EQ(messages.messages().size(), 1u);
    const Message& m = messages.messages().front();
    EXPECT_EQ(m.text, u"インターネットに接続する環境を整えてから\r"
                      "もう一度お試し下さい。"_s);
    EXPECT_EQ(m.title, u"インターネットにアクセスできません。"_s);
    EXPECT_EQ(m.icon, MsgIcon::None);
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
}

TEST_F(HelpCommands, AuthorPageNotFoundBeepsAndPointsToTheMakersPage) {
    FakeShell shell(2);
    const int beeps = beep_count_for_tests();
    open_author_page(nullptr);
    EXPECT_EQ(shell.opened, QStringList{kAuthorPageUrl});
    EXPECT_EQ(beep_count_for_tests(), beeps + 1);
    ASSERT_EQ(messages.messages().size(), 1u);
    const Message& m = messages.messages().front();
    EXPECT_EQ(m.text, u"インターネットに接続する環境を整えてから\r"
                      "もう一度お試し下さい。\r"
                      "\r"
                      "モルテアホームページでは、ぽるるをはじめ\r"
                      "最新のモルテアソフトがダウンロードできます。"_s);
    EXPECT_EQ(m.title, u"モルテアホームページにアクセスできません。"_s);
    EXPECT_EQ(m.icon, MsgIcon::None);
}

TEST_F(HelpCommands, OtherShellResultsPassSilently) {
    FakeShell shell;
    const int beeps = beep_count_for_tests();
    for (int result : {42, 33, 0, 3, 5, 31}) {
        shell.answer(result);
        open_maker_page(nullptr);
        open_author_page(nullptr);
    }
    EXPECT_EQ(shell.opened.size(), 12);
    EXPECT_EQ(beep_count_for_tests(), beeps);
    EXPECT_TRUE(messages.messages().empty());
}

} // namespace
} // namespace kanvelo
