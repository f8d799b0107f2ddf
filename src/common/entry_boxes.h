#pragma once

#include "common/box_checks.h"

#include <QObject>
#include <QString>

class QKeyEvent;

class QComboBox;
class QCompleter;
class QLineEdit;
class QListWidgetItem;

namespace kanvelo {

struct Ledger;
class DescriptionHistory;

// The category number, its name, the amount, the description and the wallet
// of the entry and the correction windows, one row below the other, and what
// they do: Enter or Tab in the number box checks it and shows the category's
// name, in the amount box checks and formats the amount, and moves on; moving
// into the amount or description box checks the number again.
class EntryBoxes : public QObject {
public:
    struct Setup {
        QString number, name, kingaku, tekiyo, saifu; // objectNames of the boxes
        QString labels[4];                            // of the number, amount,
        double tops[4];                               // description, wallet rows
        Asker focus_check; // wording of the check on entering the amount or description
        // The entry window formats the amount on the way into the description
        // box even when the number was refused there.
        bool format_after_refusal = false;
    };
    EntryBoxes(QWidget* window, const Ledger& ledger, const Setup& setup);

    // Where Enter or Tab goes from the description box and from the wallet list.
    void move_on_to(QWidget* after_tekiyo, QWidget* after_saifu);

    // Offers the descriptions of `history` (which must outlive the window)
    // while the description box is typed in. Picking one fills the category
    // when its box is empty and the wallet when the user has not chosen one;
    // Enter or Tab without a picked row does what it does without the offer.
    void offer_descriptions(const DescriptionHistory& history);

    // Copies a row of the category list into the number and name boxes.
    bool take_list_item(const QListWidgetItem* item);
    // Shows the category's name, or the messages of a refused number and the
    // focus back in the number box.
    bool number_ok(Asker asker);
    // Shows the message of a refused amount and the focus back in the amount box.
    bool kingaku_ok(Asker asker);
    void format_kingaku();

    QLineEdit* number = nullptr;
    QLineEdit* name = nullptr; // follows the number; the focus never stops in it
    QLineEdit* kingaku = nullptr;
    QLineEdit* tekiyo = nullptr;
    QComboBox* saifu = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void take_description(const QString& text);
    bool popup_key(QKeyEvent* event);

    QWidget* window_;
    const Ledger& ledger_;
    Asker focus_check_;
    bool format_after_refusal_;
    QWidget* after_tekiyo_ = nullptr;
    QWidget* after_saifu_ = nullptr;
    const DescriptionHistory* history_ = nullptr;
    QCompleter* completer_ = nullptr;
    bool saifu_chosen_ = false;
};

} // namespace kanvelo
