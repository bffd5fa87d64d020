// What the program does for the GUI test driver when it runs with the
// environment variable TRAZ_GUI_TEST set: another process cannot read a
// menu, so the main window answers a registered message with the state of
// one of its menu items; nor can it see how often a window drew, so a map
// window answers another with the number of its drawings, and a third with
// the rows its legend shows.
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

// RegisterWindowMessage name.  Asked of a map window; result: the rows the
// open legend window shows, bit k set for object kind k (GE_ObjectKind),
// with TRAZ_GUI_TEST_ANSWERED; (LRESULT)-1 when no legend window is open.
#define TRAZ_GUI_TEST_LEGEND_ROWS "TrazGuiTestLegendRows"

#endif
