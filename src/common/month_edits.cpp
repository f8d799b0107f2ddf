#include "common/month_edits.h"

#include "ledger/derived_values.h"
#include "ledger/guards.h"
#include "ledger/values.h"

#include <QUndoCommand>

using namespace Qt::StringLiterals;

namespace kanvelo {

// One step: applies its change (redo) and takes it back (undo). Taking back
// puts the derived values back as they stood, so that an undo returns the
// totals to the last bit instead of adding the amounts back in another order.
class LedgerStep : public QUndoCommand {
public:
    LedgerStep(MonthEdits& edits, const QString& text)
        : QUndoCommand(text), edits_(edits), ledger_(edits.ledger()),
          row_before_(edits.current_row()) {}

    void redo() final {
        before_ = derived_values(ledger_);
        LedgerChange change = apply();
        Q_EMIT edits_.changed(change);
    }
    void undo() final {
        LedgerChange change = take_back();
        restore_derived_values(ledger_, before_);
        change.select = row_before_;
        Q_EMIT edits_.changed(change);
    }

protected:
    virtual LedgerChange apply() = 0;
    virtual LedgerChange take_back() = 0;

    MonthEdits& edits_;
    Ledger& ledger_;

private:
    int row_before_;
    DerivedValues before_;
};

namespace {

using What = LedgerChange::What;

class AddEntries : public LedgerStep {
public:
    AddEntries(MonthEdits& edits, const QString& text, std::vector<SyusiRec> entries)
        : LedgerStep(edits, text), entries_(std::move(entries)) {}

    LedgerChange apply() override {
        first_ = ledger_.kensu + 1;
        const int n = int(entries_.size());
        // The slots the entries take, as they were, so that undo leaves the
        // table exactly as it found it.
        covered_.assign(ledger_.syusi.begin() + first_, ledger_.syusi.begin() + first_ + n);
        hi_before_ = ledger_.hi;
        ledger_.add_entries(entries_);
        ledger_.hi = entries_.back().hiduke.mid(6, 2);
        return {What::Inserted, first_, n, 0};
    }
    LedgerChange take_back() override {
        const int n = int(entries_.size());
        for (int k = 0; k < n; ++k)
            ledger_.remove_entry(ledger_.kensu);
        std::copy(covered_.begin(), covered_.end(), ledger_.syusi.begin() + first_);
        ledger_.hi = hi_before_;
        return {What::Removed, first_, n, 0};
    }

private:
    std::vector<SyusiRec> entries_;
    std::vector<SyusiRec> covered_;
    QString hi_before_;
    int first_ = 0;
};

class ReplaceEntry : public LedgerStep {
public:
    ReplaceEntry(MonthEdits& edits, int i, const SyusiRec& entry)
        : LedgerStep(edits, u"訂正（%1）"_s.arg(edits.entry_text(entry))), i_(i),
          old_(edits.ledger().syusi[i]), new_(entry) {}

    LedgerChange apply() override {
        ledger_.replace_entry(i_, new_);
        return {What::Entry, i_, 1, i_};
    }
    LedgerChange take_back() override {
        ledger_.replace_entry(i_, old_);
        return {What::Entry, i_, 1, 0};
    }

private:
    int i_;
    SyusiRec old_;
    SyusiRec new_;
};

class RemoveEntry : public LedgerStep {
public:
    RemoveEntry(MonthEdits& edits, int i)
        : LedgerStep(edits, u"削除（%1）"_s.arg(edits.entry_text(edits.ledger().syusi[i]))), i_(i),
          old_(edits.ledger().syusi[i]) {}

    LedgerChange apply() override {
        ledger_.remove_entry(i_);
        return {What::Removed, i_, 1, 0};
    }
    LedgerChange take_back() override {
        insert_entry(ledger_, i_, old_);
        return {What::Inserted, i_, 1, 0};
    }

private:
    int i_;
    SyusiRec old_;
};

class ReorderEntries : public LedgerStep {
public:
    ReorderEntries(MonthEdits& edits, std::vector<int> order, const QString& key, int selected)
        : LedgerStep(edits, u"並べ替え（%1）"_s.arg(key)), order_(std::move(order)),
          back_(order_.size()), selected_(selected) {
        // back_ is the inverse order: where each entry now stands goes back
        // to its old place, so equal keys return to their old order too.
        for (std::size_t k = 0; k < order_.size(); ++k)
            back_[std::size_t(order_[k] - 1)] = int(k) + 1;
    }

    LedgerChange apply() override {
        ledger_.reorder_entries(order_);
        int select = 0;
        for (std::size_t k = 0; k < order_.size(); ++k)
            if (order_[k] == selected_)
                select = int(k) + 1;
        return {What::Entries, 0, 1, select};
    }
    LedgerChange take_back() override {
        ledger_.reorder_entries(back_);
        return {What::Entries, 0, 1, 0};
    }

private:
    std::vector<int> order_;
    std::vector<int> back_;
    int selected_;
};

// A category's own fields set anew: its name and kind (every total follows
// the kind) or its budget and comment (the budget totals follow).
class ChangeCategory : public LedgerStep {
public:
    ChangeCategory(MonthEdits& edits, const QString& text, int slot, const HimokuRec& fields,
                   What what)
        : LedgerStep(edits, text), slot_(slot), fields_(fields), old_(edits.ledger().himoku[slot]),
          what_(what) {}

    LedgerChange apply() override {
        HimokuRec& h = ledger_.himoku[slot_];
        h = fields_;
        h.jisseki = old_.jisseki;
        if (what_ == What::Categories)
            ledger_.recompute();
        else
            ledger_.budget_totals_recalc();
        return {what_};
    }
    LedgerChange take_back() override {
        ledger_.himoku[slot_] = old_;
        return {what_};
    }

private:
    int slot_;
    HimokuRec fields_;
    HimokuRec old_;
    What what_;
};

class RenameWallet : public LedgerStep {
public:
    RenameWallet(MonthEdits& edits, int slot, const QString& name)
        : LedgerStep(edits, u"財布・口座名（%1）"_s.arg(name)), slot_(slot), name_(name),
          old_(edits.ledger().saifu[slot].name) {}

    LedgerChange apply() override {
        ledger_.saifu[slot_].name = name_;
        return {What::Wallets};
    }
    LedgerChange take_back() override {
        ledger_.saifu[slot_].name = old_;
        return {What::Wallets};
    }

private:
    int slot_;
    QString name_, old_;
};

} // namespace

MonthEdits::MonthEdits(Ledger& ledger, QObject* parent) : QObject(parent), ledger_(ledger) {
    history_.setUndoLimit(kHistoryDepth);
}

MonthEdits::~MonthEdits() = default;

void MonthEdits::set_current_row(std::function<int()> current_row) {
    current_row_ = std::move(current_row);
}

void MonthEdits::push(LedgerStep* step) {
    history_.push(step);
}

bool MonthEdits::add_entries(const std::vector<SyusiRec>& entries, const QString& text) {
    if (entries.empty() || ledger_.kensu + int(entries.size()) > kSyusiLimit)
        return false;
    push(new AddEntries(*this, text, entries));
    return true;
}

bool MonthEdits::add_entry(const SyusiRec& entry) {
    return add_entries({entry}, u"記入（%1）"_s.arg(entry_text(entry)));
}

void MonthEdits::replace_entry(int i, const SyusiRec& entry) {
    if (i >= 1 && i <= ledger_.kensu)
        push(new ReplaceEntry(*this, i, entry));
}

void MonthEdits::remove_entry(int i) {
    if (i >= 1 && i <= ledger_.kensu)
        push(new RemoveEntry(*this, i));
}

void MonthEdits::reorder_entries(const std::vector<int>& order, const QString& key, int selected) {
    // Anything but a permutation of the entries is refused, as the ledger does.
    if (order.empty() || order.size() != std::size_t(ledger_.kensu))
        return;
    std::vector<bool> seen(order.size() + 1, false);
    for (int from : order) {
        if (from < 1 || from > ledger_.kensu || seen[std::size_t(from)])
            return;
        seen[std::size_t(from)] = true;
    }
    push(new ReorderEntries(*this, order, key, selected));
}

void MonthEdits::change_category(int slot, const QString& name, const QString& kubun) {
    if (slot < 0 || slot >= kHimokuCount)
        return;
    HimokuRec fields = ledger_.himoku[slot];
    fields.name = name;
    fields.kubun = kubun;
    push(new ChangeCategory(*this, u"費目名（%1 %2）"_s.arg(slot + 1).arg(name), slot, fields,
                            LedgerChange::What::Categories));
}

void MonthEdits::rename_wallet(int slot, const QString& name) {
    if (slot >= 0 && slot < kSaifuCount)
        push(new RenameWallet(*this, slot, name));
}

void MonthEdits::set_budget(int slot, const QString& yosan_kingaku, const QString& comment) {
    if (slot < 0 || slot >= kHimokuCount)
        return;
    const HimokuRec& h = ledger_.himoku[slot];
    // Passing through a category without changing it is no step; no budget
    // and a budget of 0 are the same to every total.
    auto value = [](const QString& text) {
        return text.trimmed().isEmpty() ? 0.0 : amount_value(text).value_or(0);
    };
    if (value(h.yosan_kingaku) == value(yosan_kingaku) && h.yosan_comment == comment)
        return;
    HimokuRec fields = h;
    fields.yosan_kingaku = yosan_kingaku;
    fields.yosan_comment = comment;
    push(new ChangeCategory(*this, u"予算（%1）"_s.arg(h.name), slot, fields,
                            LedgerChange::What::Budget));
}

void MonthEdits::undo_to(int index) {
    while (history_.index() > index && history_.canUndo())
        history_.undo();
}

void MonthEdits::month_loaded() {
    history_.clear();
    notify({LedgerChange::What::Everything});
}

void MonthEdits::notify(const LedgerChange& change) {
    Q_EMIT changed(change);
}

QString MonthEdits::entry_text(const SyusiRec& entry) const {
    const int c = ledger_.category_index(entry.himoku_no);
    const auto amount = amount_value(entry.kingaku);
    return QString::number(entry.hiduke.mid(6, 2).toInt()) + u"日 "_s +
           (c >= 0 ? ledger_.himoku[c].name : entry.himoku_no) + u' ' +
           (amount ? format_number(*amount, u"#,##0"_s) : entry.kingaku) + u'円';
}

} // namespace kanvelo
