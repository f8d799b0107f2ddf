#pragma once

#include <QString>
#include <array>

class QLineEdit;
class QWidget;

// The date row of the entry, correction and transfer windows: for year, month
// and day a box, the spinner beside it and the unit label (年 月 日).
namespace kanvelo {

class Spinner;

struct DateRowPlace {
    QString prefix; // boxes <prefix>_nen, _tuki, _hi; each spinner is its box's name + "_vsc"
    double top;     // of the boxes, in twips
    std::array<double, 3> lefts;
    std::array<double, 3> widths;
    std::array<QString, 3> labels; // object names of the 年, 月 and 日 labels
    double label_gap;              // from a box's right edge to its label
    double label_width;
    // The user types into the boxes (half-width digits) and the spinners write
    // into them; otherwise only the spinners set them and the boxes take no focus.
    bool typed;
};

struct DateRow {
    QLineEdit* nen;
    QLineEdit* tuki;
    QLineEdit* hi;
    Spinner* nen_vsc;
    Spinner* tuki_vsc;
    Spinner* hi_vsc;
};
DateRow add_date_row(QWidget* window, const DateRowPlace& place);

} // namespace kanvelo
