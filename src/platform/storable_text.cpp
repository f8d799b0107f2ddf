#include "platform/storable_text.h"

#include "ledger/line_file.h"
#include "platform/message_box.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace kanvelo {

QString storable_text(const QString& text, QString* removed) {
    QString out;
    out.reserve(text.size());
    QString dropped;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString ch = text.mid(i, len);
        i += len - 1;
        if (ch == u"\r" || ch == u"\n" || ch == u"\t")
            out += u' ';
        else if (first_unstorable(ch).isEmpty())
            out += ch;
        else if (!dropped.contains(ch))
            dropped += ch;
    }
    if (removed)
        *removed = dropped;
    return out;
}

QString unstorable_message(const QString& removed) {
    return u"「"_s + removed + u"」は保存できない文字なので、取り除きました。"_s;
}

void keep_storable(QLineEdit* box) {
    QObject::connect(box, &QLineEdit::textChanged, box, [box] {
        const QString text = box->text();
        QString removed;
        const QString kept = storable_text(text, &removed);
        if (kept == text)
            return;
        const int cursor = box->cursorPosition() - int(text.size() - kept.size());
        box->setText(kept);
        box->setCursorPosition(qBound(0, cursor, int(kept.size())));
        if (!removed.isEmpty())
            show_message(box->window(), unstorable_message(removed), {}, MsgIcon::Exclamation);
    });
}

} // namespace kanvelo
