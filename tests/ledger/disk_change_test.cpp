#include "ledger/disk_state.h"
#include "ledger/line_file.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kanvelo;
using namespace kanvelo::testing;

namespace {

const QString kMonth = u"~200403.dat"_s;

struct DiskChange : ::testing::Test {
    TempFolder dir;
    QStringList asked; // the copies the handler was told of
    DiskChoice answer = DiskChoice::KeepMine;

    void SetUp() override {
        set_disk_change_handler([this](const QString&, const QString& kept) {
            asked.append(kept);
            return answer;
        });
    }
    void TearDown() override {
        set_disk_change_handler(nullptr);
        forget_disk_states();
    }
    void load(const QByteArray& bytes) {
        dir.write_bytes(kMonth, bytes);
        ASSERT_FALSE(read_line_file(dir.file(kMonth), Watch::Yes).missing);
    }
    WriteResult save(const QString& line) { return write_line_file(dir.file(kMonth), {line}); }
    void other_writes(const QByteArray& bytes) {
        dir.write_bytes(kMonth, bytes);
        set_modified(dir.file(kMonth), QDateTime::currentDateTime().addSecs(5));
    }
    QStringList conflict_copies() const {
        return QDir(dir.path()).entryList({kMonth + u".conflict-*"_s}, QDir::Files);
    }
};

} // namespace

TEST_F(DiskChange, AFileChangedByAnotherIsKeptBesideItAndBothAnswersLoseNothing) {
    const struct {
        const char* what;
        std::optional<QByteArray> other; // nullopt: removed
        DiskChoice answer;
        bool asked;
        QByteArray file_after;
    } cases[] = {
        {"other bytes, kept mine", QByteArray("other\r\n"), DiskChoice::KeepMine, true, "mine\r\n"},
        {"same size, loaded", QByteArray("OURS\r\n"), DiskChoice::LoadDisk, true, "OURS\r\n"},
        {"the same bytes touched", QByteArray("ours\r\n"), DiskChoice::KeepMine, false, "mine\r\n"},
        {"removed", std::nullopt, DiskChoice::KeepMine, false, "mine\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        asked.clear();
        answer = c.answer;
        for (const QString& name : conflict_copies())
            QFile::remove(dir.file(name));
        load("ours\r\n");
        if (c.other)
            other_writes(*c.other);
        else
            QFile::remove(dir.file(kMonth));
        const WriteResult r = save(u"mine"_s);
        const bool saved = c.answer == DiskChoice::KeepMine;
        EXPECT_EQ(!r.has_value(), saved);
        EXPECT_EQ(r.has_value() && is_superseded(*r), !saved);
        EXPECT_EQ(dir.read_bytes(kMonth), c.file_after);
        ASSERT_EQ(asked.size(), c.asked ? 1 : 0);
        ASSERT_EQ(conflict_copies().size(), c.asked ? 1 : 0);
        if (c.asked) {
            EXPECT_EQ(QFileInfo(asked.first()).fileName(), conflict_copies().first());
            EXPECT_EQ(dir.read_bytes(conflict_copies().first()), *c.other);
        }
        // The version kept is asked about once, not at every save after.
        asked.clear();
        answer = DiskChoice::KeepMine;
        EXPECT_FALSE(save(u"later"_s));
        EXPECT_TRUE(asked.isEmpty());
    }
}

TEST_F(DiskChange, TheProgramsOwnSavesAreNoChange) {
    load("ours\r\n");
    for (const QString& line : {u"one"_s, u"two"_s, u"three"_s})
        EXPECT_FALSE(save(line));
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_TRUE(conflict_copies().isEmpty());
    // A file written before it was ever read is watched from then on.
    const QString ini = dir.file(u"kanvelo.ini"_s);
    EXPECT_FALSE(write_line_file(ini, {u"a"_s}));
    dir.write_bytes(u"kanvelo.ini"_s, "other\r\n");
    EXPECT_FALSE(write_line_file(ini, {u"c"_s}));
    EXPECT_EQ(asked.size(), 1);
}

TEST_F(DiskChange, ACopyNeverTakesTheNameOfAnEarlierOneNorMoreReadersThanItsFile) {
    const QDateTime at(QDate(2026, 12, 8), QTime(10, 10, 10));
    const QString first = conflict_copy_path(dir.file(kMonth), at);
    EXPECT_EQ(QFileInfo(first).fileName(), u"~200403.dat.conflict-20261208-101010"_s);
    dir.write_bytes(QFileInfo(first).fileName(), "earlier");
    EXPECT_EQ(QFileInfo(conflict_copy_path(dir.file(kMonth), at)).fileName(),
              u"~200403.dat.conflict-20261208-101010-2"_s);

    load("ours\r\n");
    QFile::setPermissions(dir.file(kMonth), QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadGroup | QFile::ReadOther);
    other_writes("other\r\n");
    EXPECT_FALSE(save(u"mine"_s));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(QFileInfo(asked.first()).permissions(),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
}
