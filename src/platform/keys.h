#pragma once

class QEvent;
class QKeyEvent;
class QWidget;

// The keyboard rules every window shares.
namespace kanvelo {

bool is_enter(int key); // Return or the keypad's Enter
// Enter, or Tab without Ctrl: the keys that move on from a data box.
bool is_enter_or_tab(const QKeyEvent* event);

// Enter presses the button of `window` that has the focus, and only that: no
// button is a default one, so that Enter in a box never records, writes back
// or deletes by surprise. True (and the key is accepted) when it was Enter.
bool press_focused_button(QWidget* window, QKeyEvent* event);

// A box got the focus because the user moved into it, not because its window
// came back from a message box or a popup; checks that run on entering a box
// must not run again then.
bool entered_by_user(const QEvent* focus_in);

} // namespace kanvelo
