#pragma once

#include <QDialog>

class QLabel;

namespace kanvelo {

// "たいへんだぁ！！": an unexpected failure. Not modal, so that start-up can go
// on with the rest of the month while it is shown.
class DebugWindow : public QDialog {
    Q_OBJECT
public:
    explicit DebugWindow(QWidget* parent = nullptr);

    // The contact code, shown in parentheses after "作者に連絡して下さい。";
    // give it without the parentheses, e.g. "~200403.dat 12行目".
    void set_contact_code(const QString& code);
    QString contact_code() const { return code_; }

    // Creates a window that deletes itself when closed, sets the code, centres
    // it and shows it without waiting.
    static DebugWindow* show_failure(QWidget* parent, const QString& code);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* label2_ = nullptr;
    QString code_;
};

} // namespace kanvelo
