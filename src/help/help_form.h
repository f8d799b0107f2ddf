#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;
class QTextBrowser;

namespace kanvelo {

// 使い方: the user guide built into the program, with its contents on the
// left and the page on the right. Links between pages and the back and
// forward buttons work as in a browser; nothing leaves the program.
class HelpForm : public QDialog {
    Q_OBJECT
public:
    // Opens on `page` ("Kinyu_form.html"), the index when it is empty.
    explicit HelpForm(const QString& page = {}, QWidget* parent = nullptr);

    void show_page(const QString& page);
    QString current_page() const; // "Kinyu_form.html"

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build();
    void select_in_contents(const QString& page);

    QListWidget* contents_ = nullptr;
    QTextBrowser* browser_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
    QPushButton* home_ = nullptr;
    QPushButton* close_ = nullptr;
};

// Opens the guide on the page of the window `names` names (see
// manual_page_for) and waits until it is closed.
void show_help(QWidget* owner, const QStringList& names = {});

} // namespace kanvelo
