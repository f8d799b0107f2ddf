#pragma once

#include "ledger/ledger.h"

#include <array>

// What taking a change back needs from the ledger: the derived values as they
// stand and putting them back, and an entry put back where it was.
namespace kanvelo {

// Put back as they were, the derived values are right to the last bit, where
// adding the amounts again in another order could round differently.
struct DerivedValues {
    std::array<double, 31> jisseki{};
    std::array<double, 16> zankin{};
    double syunyu_goukei = 0;
    double sisyutu_goukei = 0;
    double yosan_syunyu_goukei = 0;
    double yosan_sisyutu_goukei = 0;
    friend bool operator==(const DerivedValues&, const DerivedValues&) = default;
};
DerivedValues derived_values(const Ledger& ledger);
void restore_derived_values(Ledger& ledger, const DerivedValues& values);

// Entry at i (1..kensu + 1), counted in every total; the entries from i move
// down. False (nothing changes) when the month is full or i is out of range.
bool insert_entry(Ledger& ledger, int i, const SyusiRec& entry);

} // namespace kanvelo
