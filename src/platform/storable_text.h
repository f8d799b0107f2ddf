#pragma once

#include <QString>

class QLineEdit;

// Every box whose text is saved as one line of a file goes through here, so
// that a save never fails on what was typed and no value can break a line.
namespace kanvelo {

// The text as one line of the program's files can hold it: characters code
// page 932 cannot store are dropped (`removed` receives each once, in order),
// and line breaks and tabs become blanks.
QString storable_text(const QString& text, QString* removed = nullptr);

// The one message shown when typed characters had to be dropped.
QString unstorable_message(const QString& removed);

// Makes the box keep only storable text: whatever arrives (typed, pasted, set)
// is cleaned at once, the cursor stays where it was, and dropped characters
// are named in one message. Handlers of the box's textChanged should read the
// box's text rather than the signal's argument, which may be the raw text.
void keep_storable(QLineEdit* box);

} // namespace kanvelo
