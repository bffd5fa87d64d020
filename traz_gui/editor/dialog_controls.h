// Dialog-control helpers shared by the editor's windows and the map window:
// every control addressed as (window, control id), values carried as the
// control's title text (an empty text is the missing value), range checks of
// typed fields, formatted message boxes, file selection and the three-field
// status text.  Text-returning helpers give static buffers that the next
// call of the same helper overwrites.  Flags are 16-bit booleans.
#ifndef TRAZ_EDITOR_DIALOG_CONTROLS_H
#define TRAZ_EDITOR_DIALOG_CONTROLS_H

#include <cstdarg>
#include <cstdint>
#include <string>

#include "editor_services.h"
#include "ruv.h"

// Missing values of real and integer fields.
constexpr double MISSING_REAL = -999.999;
constexpr int MISSING_INT = -999;
// Range bounds that stand for "no bound".
constexpr int INT_NO_UPPER = 2147483647;
constexpr int INT_NO_LOWER = -2147483647;
constexpr double REAL_NO_BOUND = 3.4028235e38;
// Colours of the helpers.
constexpr RUV_COLOR GLUE_BLACK = 0x07000000u;
constexpr RUV_COLOR GLUE_RED = 0x01FF0000u;
// Longest text of a message box and of the composed status text.
constexpr size_t MESSAGE_TEXT_MAX = 1023;
constexpr size_t STATUS_TEXT_MAX = 127;

// ---- values in controls ----
// The control's text read into a buffer of size bytes (its terminator
// included): the size of the record field it is stored into, so that
// nothing that fits there is cut.
std::string GetControlText(RUV_WIN window, int32_t id, size_t size);
double GetControlDouble(RUV_WIN window, int32_t id);
double GetControlReal(RUV_WIN window, int32_t id);
void SetControlDouble(RUV_WIN window, int32_t id, double value);
void SetControlFloat(RUV_WIN window, int32_t id, float value);
int GetControlInt(RUV_WIN window, int32_t id);
void SetControlInt(RUV_WIN window, int32_t id, int value);
void SetFileNameControl(RUV_WIN window, int32_t id, const char *text);
void SetDocTitle(RUV_WIN window, const char *text);

// ---- list controls ----
void SuspendListControl(RUV_WIN window, int32_t id);
void ResumeListControl(RUV_WIN window, int32_t id);
int32_t CountList(RUV_WIN window, int32_t id);
int32_t GetListSelIndex(RUV_WIN window, int32_t id);
const char *GetListItem(RUV_WIN window, int32_t id, int32_t index);
void AddListItem(RUV_WIN window, int32_t id, int32_t index, const char *text);
void RemoveListItem(RUV_WIN window, int32_t id, int32_t index);
int16_t IsListItemSelected(RUV_WIN window, int32_t id, int32_t index);
void SetListItemSelected(RUV_WIN window, int32_t id, int32_t index, int16_t flag);
void ClearList(RUV_WIN window, int32_t id);
// Appends the text; a list that then holds more than 4 items is emptied,
// otherwise its last item is selected.
void AddHistoryItem(RUV_WIN window, int32_t id, const char *text);

// ---- check boxes and radio buttons ----
int16_t IsControlChecked(RUV_WIN window, int32_t id);
void SetControlChecked(RUV_WIN window, int32_t id, int16_t flag);
// Checks idToCheck among the count ids (at most 10; more change nothing).
void CheckRadioGroup(RUV_WIN window, int32_t idToCheck, const int32_t *ids, int count);
// Checks the n-th (from 1) of a zero-terminated list of ids.
void CheckRadioButtonOf(RUV_WIN window, int n, ...);
// The 1-based position of the last checked button of a zero-terminated list
// of ids; 0 when none is checked.
int GetCheckedRadioButton(RUV_WIN window, ...);

// ---- visibility, enabling, focus and colours ----
void SetControlVisible(RUV_WIN window, int32_t id, int16_t flag);
void SetControlEnabled(RUV_WIN window, int32_t id, int16_t flag);
// Zero-terminated lists of ids.
void SetControlsVisible(RUV_WIN window, int16_t flag, ...);
void SetControlsEnabled(RUV_WIN window, int16_t flag, ...);
void SetControlFocus(RUV_WIN window, int32_t id);
// Moves the focus to the next of the ids that takes it, wrapping round.
void FocusNextControl(RUV_WIN window, const int32_t *ids, int count);
// The same backwards (Shift+Tab).
void FocusPreviousControl(RUV_WIN window, const int32_t *ids, int count);
// The Delete key pressed in list control `list` of the window.
bool IsDeleteKeyInList(RUV_WIN window, const RUV_EVENT *event, int32_t list);
void SelectAllText(RUV_WIN window, int32_t id);
int16_t TestControlFlags(RUV_WIN window, int32_t id);
void SetForeColor(RUV_WIN window, RUV_COLOR color);
void SetPenColor(RUV_WIN window, RUV_COLOR color);
void ClearWindow(RUV_WIN window);
void InvalidateWindow(RUV_WIN window);
// A colour, or -1 for the control's default colours.
void SetControlForeColor(RUV_WIN window, RUV_COLOR color, int32_t id);
// -1 when the control has no colour of its own.
RUV_COLOR GetControlForeColor(RUV_WIN window, int32_t id);
void HighlightControlRed(RUV_WIN window, int16_t flag, int32_t id);
void DrawTextHelvetica(RUV_WIN window, int h, int v, const char *text);

// ---- messages (PostNoteF and PostErrorF: editor_services.h) ----
void PostWarningF(const char *format, ...) TRAZ_PRINTF_LIKE(1, 2);
void PostFatalF(const char *format, ...) TRAZ_PRINTF_LIKE(1, 2);
// The text a formatted box shows: at most MESSAGE_TEXT_MAX characters.
std::string FormatMessageText(const char *format, va_list args);

// ---- windows ----
RUV_WIN CreateChildPaneEx(RUV_WIN parent, int32_t resourceId, RUV_EVENT_HANDLER handler, int a, int b, int c, int d,
                          void *appData);
RUV_WIN CreateChildPane(RUV_WIN parent, int32_t resourceId, RUV_EVENT_HANDLER handler, int a, int b, int c, int d);

// ---- event control ----
void ProcessPendingEvents(void);
void FreezeWindowEvents(RUV_WIN window);
void ThawWindowEvents(void);
int32_t IgnoreEventsHandler(RUV_WIN window, RUV_EVENT *event);
RUV_BOOL NonFatalErrorFilter(RUV_ERRMSG *message, void *data);

// ---- string lists ----
struct SLIST *CreateStringList(void);
void DestroyStringList(struct SLIST *list);
void AddSortedStringListItem(struct SLIST *list, const char *text, int16_t unique, int16_t caseSensitive);
int32_t CountStringList(struct SLIST *list);
const char *GetStringListItem(struct SLIST *list, int32_t index);

// ---- files and directories (PathToFileSpec: editor_services.h) ----
// The name of a chosen input file of the type, "" when none was chosen.
const char *SelectInputFile(const char *fileType);
// File dialog with the prompt and default name (save dialog when saveFlag
// is set); 1 and *path set to the chosen full path (static buffer), or 0
// after a cancel or an error box.
int16_t SelectFileName(const char *prompt, const char *defaultName, int16_t saveFlag, char **path);
// The full path of a chosen file specification into *path; 0 after an
// error box when it cannot be formed.
int16_t ChosenFilePath(const RUV_FILE_SPEC *spec, char **path);
void SaveCurrentDir(void);
void RestoreCurrentDir(void);
// Cuts argv[0] at its last separator: the program's directory.
void SetProgramDirectory(int argc, char **argv);

// ---- status text ----
// Replaces the given fields of the tab-separated three-field text of the
// window's status bar (NULL keeps the old field); the text shown or NULL.
const char *SetStatusFields(RUV_WIN window, int32_t unusedId, const char *field1, const char *field2,
                            const char *field3);

// ---- range checks: 1 when the value is invalid ----
int16_t IsIntegerText(const char *text);
int16_t IsDoubleText(const char *text);
int16_t IsFloatText(const char *text);
// mode 0 closed range, 1 open range; INT_NO_UPPER / INT_NO_LOWER and
// +-REAL_NO_BOUND stand for a missing bound.
int16_t CheckIntegerField(RUV_WIN window, int32_t id, int low, int high, int mode);
int16_t CheckDoubleField(RUV_WIN window, int32_t id, double low, double high, int mode);
int16_t CheckFloatField(RUV_WIN window, int32_t id, float low, float high, int mode);
int16_t CheckFloatRange(RUV_WIN window, int32_t id, float low, float high);
// Silent forms (closed range, no missing bounds).
int16_t TestIntegerField(RUV_WIN window, int32_t id, int low, int high);
int16_t TestFloatField(RUV_WIN window, int32_t id, float low, float high);
int16_t TestFloatRange(RUV_WIN window, int32_t id, float low, float high);

#endif
