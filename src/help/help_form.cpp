#include "help/help_form.h"

#include "help/manual_pages.h"
#include "platform/keys.h"
#include "platform/modal.h"
#include "platform/widgets.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace kanvelo {

HelpForm::HelpForm(const QString& page, QWidget* parent) : QDialog(parent) {
    setObjectName(u"Help_form"_s);
    setWindowTitle(u"使い方"_s);
    build();
    resize(1000, 720);
    show_page(page.isEmpty() ? kManualIndex : page);
}

void HelpForm::build() {
    contents_ = new QListWidget(this);
    contents_->setObjectName(u"help_contents"_s);
    contents_->setAccessibleName(u"目次"_s);
    for (const ManualPage& p : manual_pages()) {
        auto* item = new QListWidgetItem(p.title, contents_);
        item->setData(Qt::UserRole, p.file);
    }
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(u"help_browser"_s);
    browser_->setAccessibleName(u"使い方のページ"_s);
    browser_->setSearchPaths({kManualFolder});
    // Addresses outside the guide go to the desktop's browser.
    browser_->setOpenExternalLinks(true);

    auto* split = new QSplitter(this);
    split->addWidget(contents_);
    split->addWidget(browser_);
    split->setStretchFactor(1, 1);
    split->setSizes({260, 740});

    back_ = make_button(this, u"help_back"_s, u"戻る"_s);
    forward_ = make_button(this, u"help_forward"_s, u"進む"_s);
    home_ = make_button(this, u"help_home"_s, u"目次"_s);
    close_ = make_button(this, u"help_close"_s, u"閉じる"_s);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(home_);
    buttons->addStretch(1);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);

    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(home_, &QPushButton::clicked, this, [this] { show_page(kManualIndex); });
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    // The signal comes before source() has changed: the page is taken from it.
    connect(browser_, &QTextBrowser::sourceChanged, this,
            [this](const QUrl& url) { select_in_contents(QFileInfo(url.path()).fileName()); });
    connect(contents_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { show_page(item->data(Qt::UserRole).toString()); });
    connect(contents_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { show_page(item->data(Qt::UserRole).toString()); });
    back_->setEnabled(false);
    forward_->setEnabled(false);
}

void HelpForm::show_page(const QString& page) {
    if (page != current_page())
        browser_->setSource(QUrl(u"qrc"_s + kManualFolder + page));
    // The browser tells of a new page only once it is shown.
    select_in_contents(page);
}

QString HelpForm::current_page() const {
    return QFileInfo(browser_->source().path()).fileName();
}

void HelpForm::select_in_contents(const QString& page) {
    for (int i = 0; i < contents_->count(); ++i) {
        if (contents_->item(i)->data(Qt::UserRole).toString() == page) {
            const QSignalBlocker quiet(contents_);
            contents_->setCurrentRow(i);
            return;
        }
    }
}

void HelpForm::keyPressEvent(QKeyEvent* event) {
    if (!press_focused_button(this, event))
        QDialog::keyPressEvent(event);
}

void show_help(QWidget* owner, const QStringList& names) {
    HelpForm form(manual_page_for(names), owner);
    run_modal(form);
}

} // namespace kanvelo
