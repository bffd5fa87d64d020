// What the program does for the GUI test driver when it runs with the
// environment variable TRAZ_GUI_TEST set: another process cannot read a
// menu, so the main window answers a registered message with the state of
// one of its menu items; nor can it see how often a window drew, so a map
// window answers another with the number of its drawings; nor whether the
// program has taken what was posted to it, so the main window answers a
// third with the state of its thread's queue.
#ifndef TRAZ_GUI_TEST_PROTOCOL_H
#define TRAZ_GUI_TEST_PROTOCOL_H

// The environment variable that turns the answers on.
#define TRAZ_GUI_TEST_VARIABLE "TRAZ_GUI_TEST"

// RegisterWindowMessage name.  wParam: the item's command tag; result:
// GetMenuState(menu bar, tag, MF_BYCOMMAND) of the window's menu bar, that
// is MF_GRAYED/MF_DISABLED/MF_CHECKED bits, with TRAZ_GUI_TEST_ANSWERED set,
// or (LRESULT)-1 when the bar has no such item.  A window that does not
// answer gives 0 (DefWindowProc), which lacks the answered bit.
#define TRAZ_GUI_TEST_MENU_STATE "TrazGuiTestMenuState"
#define TRAZ_GUI_TEST_ANSWERED 0x40000000

// RegisterWindowMessage name.  Result: how many times a map window has
// drawn its objects since it opened, -1 for another window.
#define TRAZ_GUI_TEST_DRAW_COUNT "TrazGuiTestDrawCount"

// RegisterWindowMessage name.  Result: TRAZ_GUI_TEST_ANSWERED, with
// TRAZ_GUI_TEST_QUEUED added while posted messages or input wait in the
// queue of the window's thread.  A sent message is handled before anything
// posted, so an answer without TRAZ_GUI_TEST_QUEUED means the thread has
// taken everything posted to it before, the messages that its own handlers
// posted on the way included (the toolkit posts its focus changes).
#define TRAZ_GUI_TEST_QUEUE_STATE "TrazGuiTestQueueState"
#define TRAZ_GUI_TEST_QUEUED 1

#endif
