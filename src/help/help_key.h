#pragma once

#include <QObject>

namespace kanvelo {

// F1 in any window of the program opens the guide on that window's page. One
// filter on the application sees the key before the window does, so a new
// window needs nothing but its page. Lives as long as its parent.
class HelpKey : public QObject {
    Q_OBJECT
public:
    explicit HelpKey(QObject* parent = nullptr);
    ~HelpKey() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The names F1 looks pages up by for a widget: its own objectName, then its
// parents', out to its window.
QStringList help_names_of(const QWidget* widget);

} // namespace kanvelo
