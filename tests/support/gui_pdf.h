#pragma once

#include <QString>

namespace kanvelo::testing {

// The text of a PDF as pdftotext -layout reads it, in NFKC (the PDF's
// half-width forms compare as typed); pages are separated by form feeds.
QString pdf_text(const QString& pdf);

} // namespace kanvelo::testing
