#pragma once

// Qt's own dialogs (print, page set-up, files, preview) speak the program's
// language: loads Qt's Japanese translations into the application. False when
// they are not installed; the dialogs then stay in English.
namespace kanvelo {

bool load_qt_translations();

} // namespace kanvelo
