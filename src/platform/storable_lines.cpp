#include "platform/storable_lines.h"

#include "ledger/line_file.h"
#include "platform/message_box.h"
#include "platform/storable_text.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace kanvelo {

namespace {

// The span of the document changed since the box last checked it.
struct Pending {
    int from = -1;
    int to = -1;
};

// `text` without what the code page cannot store; `removed` gets each such
// character once.
QString storable_part(const QString& text, QString* removed) {
    QString kept;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString ch = text.mid(i, len);
        i += len - 1;
        if (ch == u"\n" || first_unstorable(ch).isEmpty())
            kept += ch;
        else if (!removed->contains(ch))
            *removed += ch;
    }
    return kept;
}

} // namespace

void keep_storable_lines(QPlainTextEdit* box) {
    auto pending = std::make_shared<Pending>();
    QObject::connect(box->document(), &QTextDocument::contentsChange, box,
                     [pending](int position, int, int added) {
                         if (added <= 0)
                             return;
                         pending->from =
                             pending->from < 0 ? position : std::min(pending->from, position);
                         pending->to = std::max(pending->to, position + added);
                     });
    // The document is changed again only once its own change is complete.
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [box, pending] {
        if (pending->from < 0)
            return;
        const Pending span = *pending;
        *pending = Pending{};
        QTextDocument* doc = box->document();
        QTextCursor cursor(doc);
        const int last = doc->characterCount() - 1;
        cursor.setPosition(std::clamp(span.from, 0, last));
        cursor.setPosition(std::clamp(span.to, 0, last), QTextCursor::KeepAnchor);
        QString text = cursor.selectedText();
        text.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
        if (encode_cp932(text))
            return;
        QString removed;
        const QString kept = storable_part(text, &removed);
        cursor.insertText(kept);
        if (!removed.isEmpty())
            show_message(box->window(), unstorable_message(removed), {}, MsgIcon::Exclamation);
    });
}

} // namespace kanvelo
