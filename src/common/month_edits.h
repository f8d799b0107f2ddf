#pragma once

#include "ledger/ledger.h"

#include <QObject>
#include <QUndoStack>
#include <functional>
#include <vector>

// Every change the user makes to the open month goes through here as one step
// of the month's history (編集 → 元に戻す / やり直し), and every view of the
// month follows the `changed` notification instead of being told by a window.
namespace kanvelo {

// What a step touched, so that a view redraws that and no more. After any
// change the totals and the category columns are to be drawn again.
struct LedgerChange {
    enum class What {
        Entry,      // entry `entry` was rewritten
        Inserted,   // entries entry .. entry + count - 1 are new; those after moved
                    // down
        Removed,    // entries entry .. entry + count - 1 are gone; those after moved
                    // up
        Entries,    // the entries are in another order
        Categories, // category names or kinds, and so every total
        Budget,     // budgets and comments
        Wallets,    // wallet names
        Everything, // another month, or a reload
    };
    What what = What::Everything;
    int entry = 0;
    int count = 1;
    // The entries grid row to make current afterwards; 0 leaves it where it is.
    int select = 0;
};

class MonthEdits : public QObject {
    Q_OBJECT
public:
    explicit MonthEdits(Ledger& ledger, QObject* parent = nullptr);
    ~MonthEdits() override;

    Ledger& ledger() { return ledger_; }
    const Ledger& ledger() const { return ledger_; }
    QUndoStack& history() { return history_; }

    // The entries grid row that is current, so that undoing a step puts the
    // selection back where it was. Without one, undo leaves the selection alone.
    void set_current_row(std::function<int()> current_row);

    // The steps. Each applies its change at once and stays in the history; a
    // step that is refused changes nothing and is not kept.

    // Appends entries, all or none, as one step named `text` (記入 names the
    // entry, a transfer its two entries; an import names itself). The day of
    // the last entry becomes the ledger's day. False when they do not fit
    // under the entry limit.
    bool add_entries(const std::vector<SyusiRec>& entries, const QString& text);
    bool add_entry(const SyusiRec& entry);
    void replace_entry(int i, const SyusiRec& entry);
    void remove_entry(int i);
    // A sort: `order` as for Ledger::reorder_entries, `key` the menu caption
    // (日付順). The entry on `selected` (a grid row) stays selected.
    void reorder_entries(const std::vector<int>& order, const QString& key, int selected);
    // Category `slot`'s name and kind (its kubun text); totals follow the kind.
    void change_category(int slot, const QString& name, const QString& kubun);
    void rename_wallet(int slot, const QString& name);
    // Budget text as stored ("" for none) and comment of category `slot`.
    void set_budget(int slot, const QString& yosan_kingaku, const QString& comment);

    // Takes back every step done since the history stood at `index` (a window's
    // 変更取消); they stay in the history for やり直し.
    void undo_to(int index);

    // Another month was loaded (or a backup put back): the history starts
    // afresh and every view redraws.
    void month_loaded();
    // For changes made outside the steps (a recomputation after a load).
    void notify(const LedgerChange& change);

    // " 3日 日常食品 1,200円" without the leading blank: how a step names an
    // entry.
    QString entry_text(const SyusiRec& entry) const;

Q_SIGNALS:
    void changed(const LedgerChange& change);

private:
    friend class LedgerStep;
    int current_row() const { return current_row_ ? current_row_() : 0; }
    void push(class LedgerStep* step);

    Ledger& ledger_;
    QUndoStack history_;
    std::function<int()> current_row_;
};

// The fewest steps the history keeps; older ones are dropped beyond it.
inline constexpr int kHistoryDepth = 500;

} // namespace kanvelo
