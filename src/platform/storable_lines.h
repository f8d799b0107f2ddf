#pragma once

class QPlainTextEdit;

namespace kanvelo {

// keep_storable for a box of many lines whose text is saved as a file of its
// own (the asset memos): characters code page 932 cannot store are refused
// where they arrive, with the same message, while line breaks and tabs stay.
// Only what was just typed or pasted is checked, so long texts stay fast.
void keep_storable_lines(QPlainTextEdit* box);

} // namespace kanvelo
