#pragma once

namespace kanvelo::detail {

// True while a ModalDriver exists: boxes that are normally run on their own
// then go through run_modal, so that a test never waits on an unanswered box.
bool modal_driver_active();

} // namespace kanvelo::detail
