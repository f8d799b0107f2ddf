#include "common/notice_window.h"

#include "platform/geometry.h"
#include "platform/modal.h"

#include <QLabel>
#include <QPushButton>

namespace kanvelo {

NoticeWindow::NoticeWindow(const Notice& notice, QWidget* parent) : QDialog(parent) {
    setObjectName(notice.name);
    setWindowTitle(notice.caption);
    for (const NoticeLabel& l : notice.labels) {
        auto* label = new QLabel(l.text, this);
        label->setObjectName(l.name);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        place_twips(label, l.left, l.top, l.width, l.height);
    }
    for (qsizetype i = 0; i < notice.buttons.size(); ++i) {
        const NoticeButton& b = notice.buttons.at(i);
        auto* button = new QPushButton(b.caption, this);
        button->setObjectName(b.name);
        place_twips(button, b.left, notice.button_top, b.width, 450);
        connect(button, &QPushButton::clicked, this, [this, i] {
            pressed_ = int(i);
            accept();
        });
    }
    resize_twips(this, notice.width, notice.height);
}

QLabel* NoticeWindow::label(const QString& name) const {
    return findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
}

void NoticeWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    center_on_screen(this);
}

int show_notice(QWidget* parent, const Notice& notice) {
    NoticeWindow window(notice, parent);
    run_modal(window);
    return window.pressed();
}

} // namespace kanvelo
