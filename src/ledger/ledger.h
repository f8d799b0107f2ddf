#pragma once

#include "ledger/file_error.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace kanvelo {

inline constexpr int kHimokuCount = 30;    // categories in use, slots 0..29
inline constexpr int kSaifuCount = 15;     // wallets and accounts, slots 0..14
inline constexpr int kSyusiLimit = 1000;   // entries, slots 1..kensu
inline constexpr int kNikkiSlots = 366;    // diary days kept in a year's file
inline constexpr int kTransferHimoku = 30; // "財布<=>口座"

// The header line of every file the program writes.
inline const QString kSignature = QStringLiteral("@VER7.00 ZelvanorQistrombelUxafendriloKvm");

// Fields that come from a file or from typing hold text; fields the program
// computes are numbers. Text fields that were set from a computed number hold
// it in the number form (" 0 ") so that writing them "as held" is exact.
struct HimokuRec {
    QString no;
    QString name;
    double jisseki = 0;
    QString yosan_kingaku;
    QString kubun;
    QString yosan_comment;

    bool is_income() const;
};

struct SyusiRec {
    QString hiduke;
    QString himoku_no;
    QString kingaku;
    QString tekiyo;
    QString saifu_no;
};

struct SaifuRec {
    QString no;
    QString name;
    double zankin = 0;
};

// What the windows remember between openings while the program runs. None of
// it belongs to the month or reaches a file.
struct Session {
    // The date of the last entry recorded since the month was opened (0:
    // none); the entry window proposes it for the next entry.
    int last_nen = 0;
    int last_tuki = 0;
    int last_hi = 0;
    bool dentaku_on = false; // the entry window shows its calculator
    int gamen = 0;           // the main window's display mode: 1 both grids, 2 categories only
};

// The one in-memory picture of the open month. Windows read and change its
// tables directly; the operations below keep the derived values.
struct Ledger {
    std::array<HimokuRec, 31> himoku;
    std::array<SyusiRec, kSyusiLimit + 1> syusi;
    std::array<SaifuRec, 16> saifu;
    std::array<QString, kNikkiSlots + 1> nikki;
    // The notes differ from the diary file of the year they belong to.
    bool nikki_changed = false;

    QString app_path;
    QString ini_header;
    QString dat_header;
    QString nen;
    QString tuki;
    QString hi;
    QString ini_reserved1;
    QString ini_reserved2;

    double syunyu_goukei = 0;
    double sisyutu_goukei = 0;
    double yosan_syunyu_goukei = 0;
    double yosan_sisyutu_goukei = 0;
    int kensu = 0;
    double zeiritu = 5;

    double win_height = 0;
    double win_width = 0;
    double win_top = 0;
    double win_left = 0;
    int win_state = 0;
    std::array<QString, 5> ini2_spare;

    Session session;

    // Files that exist but could not be read at their last load. Writing the
    // ledger over one would replace what the user has with what was not read,
    // so saves refuse until a later load reads it.
    QStringList unreadable_files;

    // A month file that loaded with problems is copied, unchanged, to this
    // name in the folder ("~200403.dat.damaged", then "...damaged2", ...) by
    // the first save over it, so that nothing the reader dropped is lost.
    // Empty when the month loaded without problems.
    QString damaged_copy_name;
    QString damaged_copy_of;           // the month file the copy is of
    bool damaged_copy_pending = false; // the copy has not been made yet

    // Adds the effect of entry i to the derived values. An entry whose
    // category, amount or wallet cannot be used adds nothing where the value
    // is missing; the problem is returned so that a loader can report it.
    std::optional<QString> syusi_apply(int i);

    // Operations on the entries that leave every derived value (category
    // totals, month totals, wallet balances) as recompute() would. Windows
    // use these instead of changing kensu or a total themselves.

    // Appends at kensu + 1 and counts it; returns its index, or 0 when the
    // month already holds kSyusiLimit entries (nothing changes then).
    int add_entry(const SyusiRec& entry);
    // Appends all of them, or none when they would take the month past
    // kSyusiLimit entries (false then).
    bool add_entries(const std::vector<SyusiRec>& entries);
    // Correction of entry i (1..kensu; others are ignored).
    void replace_entry(int i, const SyusiRec& entry);
    // Deletion of entry i: the entries after it move up, the freed slot is
    // cleared.
    void remove_entry(int i);
    // The entries in a new order: order[k] is the index (1..kensu) of the
    // entry that becomes entry k + 1. An order that is not a permutation of
    // 1..kensu changes nothing.
    void reorder_entries(const std::vector<int>& order);
    // Every derived value from scratch, budget totals included.
    void recompute();

    // Clears the derived values, the entry count and every entry slot before
    // a month is loaded.
    void ledger_reset_month();

    // Month income and expense totals and every wallet balance from scratch.
    void month_recalc();

    // Budget totals by kind from the categories' budgets (empty = no budget).
    void budget_totals_recalc();

    // The category of entry i (nullptr when its number is not 1..30).
    const HimokuRec* category_of(int i) const;
    int category_index(const QString& himoku_no) const; // -1 when invalid
    static int saifu_index(const QString& saifu_no);    // -1 when invalid

    // Marks `path` as unreadable, or clears the mark after a good read.
    void note_read(const QString& path, bool unreadable);
    // A FileError for a save over a file marked unreadable; nullopt otherwise.
    WriteResult refuse_overwrite(const QString& path) const;

    QString month_file_path() const;
    QString path(const QString& file_name) const;
};

} // namespace kanvelo
