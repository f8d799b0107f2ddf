#include "common/entry_boxes.h"

#include "common/category_list.h"
#include "ledger/description_history.h"
#include "ledger/ledger.h"
#include "ledger/values.h"
#include "platform/geometry.h"
#include "platform/keys.h"
#include "platform/message_box.h"
#include "platform/storable_text.h"
#include "platform/widgets.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidgetItem>
#include <QStringListModel>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

const QString kAmountPattern = u"#,##0"_s;

} // namespace

EntryBoxes::EntryBoxes(QWidget* window, const Ledger& ledger, const Setup& setup)
    : QObject(window), window_(window), ledger_(ledger), focus_check_(setup.focus_check),
      format_after_refusal_(setup.format_after_refusal) {
    const QString captions[] = {u"費目"_s, u"金額"_s, u"摘要"_s, u"財布"_s};
    auto label = [&](int row, QWidget* box) {
        place_twips(make_label(window, setup.labels[row], captions[row], box), 2580,
                    setup.tops[row] + 45, 480, 300);
    };
    number = make_box(window, setup.number);
    label(0, number);
    place_twips(number, 3120, setup.tops[0], 540, 375);
    name = make_box(window, setup.name);
    name->setReadOnly(true);
    name->setFocusPolicy(Qt::NoFocus);
    place_twips(name, 3720, setup.tops[0], 2475, 375);

    kingaku = make_box(window, setup.kingaku);
    kingaku->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label(1, kingaku);
    place_twips(kingaku, 3120, setup.tops[1], 3075, 375);

    tekiyo = make_box(window, setup.tekiyo);
    label(2, tekiyo);
    place_twips(tekiyo, 3120, setup.tops[2], 3075, 375);
    keep_storable(tekiyo);

    saifu = new QComboBox(window);
    saifu->setObjectName(setup.saifu);
    label(3, saifu);
    place_twips(saifu, 3120, setup.tops[3], 3075, 375);
    for (int w = 0; w < kSaifuCount; ++w)
        saifu->addItem(ledger_.saifu[w].name);

    // Numbers are typed in half-width characters; an input method in these
    // boxes would only make them fail the checks.
    for (QLineEdit* box : {number, kingaku})
        box->setAttribute(Qt::WA_InputMethodEnabled, false);
    for (QWidget* w : {static_cast<QWidget*>(number), static_cast<QWidget*>(kingaku),
                       static_cast<QWidget*>(tekiyo), static_cast<QWidget*>(saifu)})
        w->installEventFilter(this);
}

void EntryBoxes::move_on_to(QWidget* after_tekiyo, QWidget* after_saifu) {
    after_tekiyo_ = after_tekiyo;
    after_saifu_ = after_saifu;
}

void EntryBoxes::offer_descriptions(const DescriptionHistory& history) {
    history_ = &history;
    completer_ = new QCompleter(new QStringListModel(history.descriptions(), this), this);
    completer_->setCaseSensitivity(Qt::CaseInsensitive);
    // Shop and place names often come first ("業務スーパー", "駅前 ローソン"):
    // the word one remembers may stand anywhere, and the most used come first.
    completer_->setFilterMode(Qt::MatchContains);
    completer_->setCompletionMode(QCompleter::PopupCompletion);
    completer_->setWidget(tekiyo);
    // After the completer's own filter exists, so that this one sees the keys first.
    completer_->popup()->installEventFilter(this);
    connect(completer_, qOverload<const QString&>(&QCompleter::activated), this,
            &EntryBoxes::take_description);
    connect(tekiyo, &QLineEdit::textEdited, this, [this](const QString& text) {
        completer_->setCompletionPrefix(text.trimmed());
        if (text.trimmed().isEmpty() || completer_->completionCount() == 0)
            completer_->popup()->hide();
        else
            completer_->complete();
    });
    connect(saifu, &QComboBox::activated, this, [this] { saifu_chosen_ = true; });
}

void EntryBoxes::take_description(const QString& text) {
    tekiyo->setText(text);
    if (number->text().trimmed().isEmpty()) {
        if (const auto slot = history_->most_used_category(text)) {
            number->setText(QString::number(*slot + 1));
            name->setText(ledger_.himoku[*slot].name);
        }
    }
    if (!saifu_chosen_) {
        if (const auto slot = history_->most_used_wallet(text))
            saifu->setCurrentIndex(*slot);
    }
}

// Enter or Tab on the open list picks its current row; without one the key
// goes to the description box as if the list had not been there.
bool EntryBoxes::popup_key(QKeyEvent* event) {
    const bool enter_or_tab = is_enter_or_tab(event);
    if (!enter_or_tab && event->key() != Qt::Key_Backtab)
        return false;
    QAbstractItemView* popup = completer_->popup();
    const QModelIndex row = popup->currentIndex();
    popup->hide();
    if (enter_or_tab && row.isValid()) {
        take_description(row.data().toString());
        return true;
    }
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
    QApplication::sendEvent(tekiyo, &copy);
    return true;
}

bool EntryBoxes::take_list_item(const QListWidgetItem* item) {
    if (!item)
        return false;
    const ListPick pick = category_from_list_item(item->text());
    number->setText(pick.number);
    name->setText(pick.name);
    return true;
}

bool EntryBoxes::number_ok(Asker asker) {
    const CategoryResult r = check_category(number->text());
    if (r.check != CategoryCheck::Ok) {
        for (const QString& message : category_messages(r.check, asker))
            show_message(window_, message, {}, MsgIcon::Exclamation);
        number->setFocus();
        return false;
    }
    name->setText(ledger_.himoku[r.slot].name);
    return true;
}

bool EntryBoxes::kingaku_ok(Asker asker) {
    const AmountCheck check = check_amount(kingaku->text());
    if (check == AmountCheck::Ok)
        return true;
    show_message(window_, amount_message(check, asker), {}, MsgIcon::Exclamation);
    kingaku->setFocus();
    return false;
}

void EntryBoxes::format_kingaku() {
    kingaku->setText(format_value(kingaku->text(), kAmountPattern));
}

bool EntryBoxes::eventFilter(QObject* watched, QEvent* event) {
    if (completer_ && watched == completer_->popup())
        return event->type() == QEvent::KeyPress && popup_key(static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::FocusIn && (watched == kingaku || watched == tekiyo)) {
        if (!entered_by_user(event))
            return false;
        const bool accepted = number_ok(focus_check_);
        if (watched == tekiyo && (accepted || format_after_refusal_))
            format_kingaku();
        // A refused category sent the focus back to the number box.
        return QApplication::focusWidget() != watched;
    }
    if (event->type() != QEvent::KeyPress || !is_enter_or_tab(static_cast<QKeyEvent*>(event)))
        return false;
    if (watched == number) {
        if (number_ok(Asker::Box))
            kingaku->setFocus();
    } else if (watched == kingaku) {
        if (kingaku_ok(Asker::Box)) {
            format_kingaku();
            tekiyo->setFocus();
        }
    } else {
        (watched == tekiyo ? after_tekiyo_ : after_saifu_)->setFocus();
    }
    return true;
}

} // namespace kanvelo
