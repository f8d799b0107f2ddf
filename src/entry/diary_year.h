#pragma once

#include "ledger/file_error.h"

namespace kanvelo {

struct Ledger;

// Which year's notes the ledger's diary table holds while the entry window
// shows a date in another year than the open month. The table holds the open
// year's notes again once the window is done, so that the diary window and
// later saves never write one year's notes under another.
class DiaryYear {
public:
    explicit DiaryYear(Ledger& ledger);

    int year() const { return year_; } // the year whose notes the table holds
    int open_year() const;             // the year of the open month
    bool away() const { return year_ != open_year(); }

    // Writes the held year's notes and reads those of `to` (creating its file
    // when missing). When the notes cannot be written nothing changes and the
    // failure is returned in `failed`; `problem` tells of a year read badly.
    struct Switch {
        WriteResult failed;
        WriteResult problem;
    };
    Switch switch_to(int to);

    // Writes the held year's notes.
    WriteResult save();

    // Reads the open year's notes back when another year's are held; returns
    // a problem of that reading.
    WriteResult come_home();

private:
    WriteResult load(int year);

    Ledger& ledger_;
    int year_ = 0;
};

} // namespace kanvelo
