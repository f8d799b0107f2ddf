#include "main_window/debug_window.h"

#include "platform/geometry.h"

#include <QLabel>
#include <QPushButton>

namespace kanvelo {

namespace {
const QString kDefaultCode = QStringLiteral("KV71");
}

DebugWindow::DebugWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("debugwindow"));
    setWindowTitle(QStringLiteral("たいへんだぁ！！"));

    auto* label1 = new QLabel(QStringLiteral("予期しないエラーが発生しました。"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    place_twips(label1, 360, 300, 6120, 360);

    label2_ = new QLabel(this);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setWordWrap(true);
    label2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label2_->setTextInteractionFlags(Qt::TextSelectableByMouse); // so the code can be copied
    place_twips(label2_, 360, 720, 6120, 1080);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("taihen_OK"));
    place_twips(ok, 2760, 1920, 1320, 450);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    resize_twips(this, 6840, 2700);
    set_contact_code(kDefaultCode);
}

void DebugWindow::set_contact_code(const QString& code) {
    code_ = code.isEmpty() ? kDefaultCode : code;
    label2_->setText(QStringLiteral("作者に連絡して下さい。（") + code_ + QStringLiteral("）"));
}

DebugWindow* DebugWindow::show_failure(QWidget* parent, const QString& code) {
    auto* window = new DebugWindow(parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->set_contact_code(code);
    window->show();
    return window;
}

void DebugWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    center_on_screen(this);
}

} // namespace kanvelo
