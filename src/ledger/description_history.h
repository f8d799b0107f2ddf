#pragma once

#include "ledger/ledger.h"

#include <QHash>
#include <QStringList>
#include <optional>

// The descriptions used in the months before the open one and in the open
// month, and what was used with each, so that a window can offer them while
// the user types. Only reads: no file is written and the ledger is not changed.
namespace kanvelo {

// How many months before the open one are read.
inline constexpr int kHistoryMonths = 12;

class DescriptionHistory {
public:
    // Distinct descriptions, the most used first; equal counts the most
    // recently used first. Each is shown as it was written at its latest use.
    QStringList descriptions() const { return descriptions_; }

    // The category slot (0..29) and wallet slot (0..14) used most often with
    // the description (compared as search_fold compares, blanks trimmed). On
    // equal counts the most recent use wins. Transfers give no category.
    std::optional<int> most_used_category(const QString& tekiyo) const;
    std::optional<int> most_used_wallet(const QString& tekiyo) const;

    // One use of a description; later calls are more recent uses.
    void add_use(const QString& tekiyo, std::optional<int> himoku, std::optional<int> saifu);
    // Puts descriptions() in order after the last add_use.
    void finish();

private:
    struct Tally {
        int count = 0;
        int last = 0; // the sequence number of the latest use
    };
    struct Description {
        QString shown;
        Tally uses;
        QHash<int, Tally> himoku;
        QHash<int, Tally> saifu;
    };
    static std::optional<int> most_used(const QHash<int, Tally>& tallies);
    const Description* find(const QString& tekiyo) const;

    QHash<QString, Description> by_key_;
    QStringList descriptions_;
    int sequence_ = 0;
};

// The month files of the kHistoryMonths months before the open month in
// `folder` (missing and damaged ones skipped) and the open month's entries
// in memory. Uses are ordered by date, then by position.
DescriptionHistory read_description_history(const QString& folder, const Ledger& open_month);

} // namespace kanvelo
