#pragma once

#include <QString>

class QWidget;

// The category list of the windows that pick a category by number (entry,
// correction, budget, category settings).
namespace kanvelo {

struct Ledger;

// " 5   日用雑貨": a blank, the number right-aligned in two characters, three
// blanks, the name, which therefore starts at character 7. The number is the
// category's own, never text a user typed.
QString category_list_item(const Ledger& ledger, int slot);

// What a click on a list item copies: characters 2-3 and at most six
// characters of the name.
struct ListPick {
    QString number;
    QString name;
};
ListPick category_from_list_item(const QString& item);

// The rows line their names up by character count, which takes a font whose
// Latin and Japanese glyphs are both fixed-width; the list keeps its size.
void use_category_list_font(QWidget* list);

} // namespace kanvelo
