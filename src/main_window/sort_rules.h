#pragma once

#include <QString>
#include <vector>

// The three orders of 編集 → 並べ替え, without widgets.
namespace kanvelo {

struct Ledger;

enum class SortKey {
    Hiduke,  // 日付順: ascending date
    Himoku,  // 費目順: ascending category number
    Kingaku, // 金額順: expenses by descending amount, then income by descending
             // amount
};

// The new order of the entries as reorder_entries takes it: element k is the
// entry (1..kensu) that becomes entry k + 1. The sort is stable, so entries
// with equal keys keep their order. Amounts compare by their exact value; an
// entry whose category or amount cannot be used sorts after all others.
std::vector<int> sort_order(const Ledger& ledger, SortKey key);
// The menu caption of the order (日付順), which names the step in the history.
QString sort_caption(SortKey key);

} // namespace kanvelo
