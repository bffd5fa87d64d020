// The editor's shell: program main and task window, the save question,
// the help hook, the main window with its menus and About box, and the
// pages and sub-panes with page switching, titles and page buttons.
#ifndef TRAZ_EDITOR_SHELL_H
#define TRAZ_EDITOR_SHELL_H

#include <cstdint>

#include "editor_services.h"
#include "ruv.h"

// ---- program start, task window and the save question (task_window.cpp) ----
// What ProgramMain does: the cell size, the command line into g_startup and
// the application with the task window.
void StartEditorProgram(int argc, char **argv);
int32_t TaskWindowHandler(RUV_WIN window, RUV_EVENT *event);
// 1 when the caller may go on (saved or discarded), 0 when cancelled.
int AskSave(void);
// Asks "Do you want to save the current data?" (Yes, No, Cancel): 0, 1, 2.
int AskSaveQuestion(void);

// ---- help (help_hook.cpp) ----
void InstallHelpHook(void);
RUV_BOOL HelpEventHook(void *helpInfo, RUV_WIN window, RUV_EVENT *event);
void OpenHelpFile(void);
struct RUV_HELP_INFO *GetHelpFile(void);
void CloseHelp(void);
void HelpRecordAssociation(RUV_WIN window, int32_t idOrTag, int32_t topic, int32_t kind);
void HelpRemoveWindow(RUV_WIN window);
// The recorded list (for the tests): capacity and free index.
int32_t HelpRecordedCapacity(void);
int32_t HelpRecordedFreeIndex(void);

// ---- main window (main_window.cpp) ----
int32_t MainWindowHandler(RUV_WIN window, RUV_EVENT *event);
void DispatchMenuCommand(RUV_WIN window, RUV_EVENT *event);
int32_t PopupMenuCommand(RUV_WIN window, RUV_EVENT *event);
void CmdNew(void);
// Enables (flag 1) or greys (0) File New, Open, Save, Save as and Exit of
// the main window's menu bar.  Nothing in the editor greys them yet.
void EnableFileCommands(int flag);
// True while the main window hands an event on to its focused child.
bool MainWindowIsRouting(void);
int32_t AboutDialogHandler(RUV_WIN window, RUV_EVENT *event);
// With TRAZ_GUI_TEST set: the window answers the test driver's questions
// (gui_test_protocol.h): the menu-state one from its menu bar, the
// queue-state one for its thread.
void AnswerTestDriver(RUV_WIN window);
// View > Visualisation Area offered while a grid is loaded; called wherever
// the grid may change.
void UpdateVisualisationAreaItem(RUV_WIN window);

// ---- top-level windows on the screen (window_placement.cpp) ----
// Every top-level window the toolkit makes from now on has its whole frame
// on the screen; set once, before the application starts.
void KeepWindowsOnScreen(void);
// A top-level window placed after it was made: its frame moved onto the
// screen.
void MoveFrameOnScreen(RUV_WIN window);

// ---- visualisation-area link (visarea_link.cpp) ----
// Sets the map-window library up for the editor; once, at main-window creation.
void RegisterVisAreaCallbacks(RUV_WIN mainWindow);
// 1 while a grid is loaded, so that a map window has something to show.
int VisualisationAreaAvailable(void);
// View > Visualisation Area: a new map window.
void OpenVisualisationArea(void);

// ---- pages and sub-panes (pages.cpp) ----
// Requests of SwitchPage that store the page shown and show none.
enum {
    PAGE_NONE_CLOSING = -5,
    PAGE_NONE_START = -6,
    PAGE_NONE_SAVE_AS = -7,
    PAGE_NONE_SAVE = -8,
    PAGE_NONE_NEW = -9,
    PAGE_NONE_OPEN = -10
};
constexpr int EDITOR_SUBPANE_COUNT = 13;

void CreatePages(RUV_WIN mainWindow);
void SwitchPage(int n);
// 1 when the store of the last SwitchPage for a Save met a field its rule
// refuses, or a table that cannot be stored (the box was shown): the Save
// writes nothing.
int SaveRefusedByField(void);
// 1 when the last SwitchPage kept the user in a table shown that cannot be
// stored (its box was shown): nothing was stored, the page stays.
int SwitchRefusedByTable(void);
void SetModified(int flag);
void ResetPageButtons(void);
void HideAllSubPanes(void);
// Shows time-table window index (8, 9 or 10) for the selected release, or
// hides it as HideTablePane does for the selected release.  A time-table
// window shown or hidden leaves no sub-pane current.
void ShowTablePane(int index, int show);
// Stores time-table window index for the given release and hides it.
void HideTablePane(int index, int release);
void StoreSubPane(int index, int tableIndex);
// Shows a model-specific sub-pane of the process page (-1 nothing).
void ShowProcessSubPane(int index);
// The sub-pane shown with its page (-1 none) and the current time table
// (-1 none).
int CurrentSubPane(void);
void SetCurrentSubPane(int index);
int CurrentTimeTable(void);
void SetCurrentTimeTable(int slot);
void AdvanceFocus(RUV_WIN window);
// Shift+Tab: the focus order backwards.
void MoveFocusBack(RUV_WIN window);
void CheckRadioInRange(RUV_WIN window, int32_t id, int32_t first, int32_t last);
void RememberRequestedPage(int n);
int LastRequestedPage(void);
RUV_WIN SubPaneWindow(int index);
// The page index a page button shows, -1 for other ids.
int PageOfButton(int32_t controlId);
// Clears a window with its background colour (its update event).
void ClearWithBackground(RUV_WIN window);

#endif
