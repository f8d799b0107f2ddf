#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

namespace kanvelo {

// The version window. Shown as the start-up splash (kidou_chu) it is
// the splash: no OK button, and Timer1 closes it 2.5 seconds after
// it is shown. Otherwise it waits for OK.
class VersionForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSplashMs = 2500;

    explicit VersionForm(bool splash = false, QWidget* parent = nullptr);

    bool is_splash() const { return splash_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool splash_ = false;
    QLabel* picture1_ = nullptr;
    QLabel* image1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label4_ = nullptr;
    QPushButton* version_ok_ = nullptr;
    QTimer* timer1_ = nullptr;
};

} // namespace kanvelo
