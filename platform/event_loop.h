#pragma once

// The program's event loop. Call before the application object is made.
//
// A show step may open a message box, whose own event loop must keep the
// other engines, the clock and the operator's keys going. Qt's GLib event
// dispatcher does not reliably deliver timers and posted events to an event
// loop opened inside the handler of a posted event; Qt's own Unix dispatcher
// does, so the program asks for that one.

namespace platform {

void chooseEventDispatcher();

} // namespace platform
