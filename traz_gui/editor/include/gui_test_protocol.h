// What the program does for the GUI test driver when it runs with the
// environment variable TRAZ_GUI_TEST set: another process cannot read a
// menu, so the main window answers a registered message with the state of
// one of its menu items; nor can it see how often a window drew, so a map
// window answers another with the number of its drawings; nor whether the
// program has taken what was posted to it, so the main window answers a
// question with the state of its thread's queue; nor can it see the
// scenario the program holds, so the main window sends the state of the
// scenario, the map windows and the legend as a text.
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

// RegisterWindowMessage name.  wParam: a window (HWND) of the asking
// process.  The main window sends that window one WM_COPYDATA whose dwData
// is TRAZ_GUI_TEST_STATE_DATA and whose lpData holds the state as text
// (cbData bytes, no NUL), and then returns TRAZ_GUI_TEST_ANSWERED.  The
// asker sends the question with SendMessageTimeout: while it waits its
// thread takes the WM_COPYDATA the program sends back.
//
// The text is one record a line ('\n'), its fields separated by tabs; in a
// text field a line end is written "\n", a tab "\t" and a backslash "\\".
//   break <rule> <always|save> <page> <sub-pane> <item> <message>
//       a rule the scenario breaks (the scenario check of the model: its
//       stable name, whether it is kept at every moment or only enforced
//       by a save, the page and sub-pane it is mended on, -1 for none, the
//       location or substance concerned, -1 for none, and the message)
//   validity <history start> <stop> <step> <map start> <stop> <step>
//       the output-time validity flags of the field checks, 1 or 0 (a
//       field check skips its rules while a related field is not valid)
//   location <kind> <index> <m> <n> <x> <y> <name>
//       the scenario's locations: kind 7 observation points, 10
//       instantaneous and 11 continuous releases; x and y as "%.9g"
//   map <window> <kinds shown>
//       each open map window (numbered from 0) and the object kinds whose
//       attribute it shows, as "7,10,11" ("" for none)
//   object <window> <kind> <index> <m> <n> <x> <y> <name>
//       the point objects of kinds 7, 10 and 11 that the map window holds
//   legend <open|closed>
//   legend-row <label>
//       the rows of the open legend window as it last drew them, in order
#define TRAZ_GUI_TEST_STATE "TrazGuiTestState"
#define TRAZ_GUI_TEST_STATE_DATA 0x5452415Aul

// RegisterWindowMessage name.  Result: TRAZ_GUI_TEST_ANSWERED, with
// TRAZ_GUI_TEST_QUEUED added while posted messages or input wait in the
// queue of the window's thread.  A sent message is handled before anything
// posted, so an answer without TRAZ_GUI_TEST_QUEUED means the thread has
// taken everything posted to it before, the messages that its own handlers
// posted on the way included (the toolkit posts its focus changes).
#define TRAZ_GUI_TEST_QUEUE_STATE "TrazGuiTestQueueState"
#define TRAZ_GUI_TEST_QUEUED 1

#endif
