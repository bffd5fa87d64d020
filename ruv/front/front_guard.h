// The guard every public ruv_ function runs before its one base-library
// call: the name mark in the current error frame, the refusal during an
// E_UPDATE, the window check (registry first, then tag and type), NULL and
// value checks, and the repair of a reversed rectangle with a warning.
//
// Usage, in a family's source (the source name is the family's: "tvobj"):
//
//   static const char SRC[] = "tvobj";
//
//   extern "C" void ruv_vobj_set_title(RUV_WIN win, const char *text)
//   {
//       ruvf::Guard g("ruv_vobj_set_title", SRC);   // mark; unmark at return
//       if (!g.not_in_update() || !g.window(win) || !g.not_text_edit(win) || !g.not_null(text))
//           return;                                  // the failure was raised
//       ruvv_vobj_set_title(win, text);
//   }
//
// Each check raises its id (severity 2, the Guard's source name, the line of
// the calling check: the default argument takes the caller's line) and
// returns false; the caller returns its failure value.
//   g.window(win)                NULL 0x01210002, not registered or bad tag
//                                0x01220002 (the registry is asked before
//                                any field of the record is read)
//   g.window(win, types({1,2,3,7,9}))   the same, then the type (a text edit
//                                counts as 23) or 0x01230001
//   g.registered(win)            NULL and registry only (for members without
//                                a tag test)
//   g.not_null(p [, id])         0x00210000 or the given NULL id
//   g.check(cond, id [, obj])    raises id when cond is false
//   g.raise(id [, obj, sev])     raises unconditionally (returns false)
//   const RUV_RECT *r = g.rect(rect, scratch [, Strict::EqualEdges]);
//                                a reversed rectangle: warning 0x01240003 and
//                                a repaired copy in scratch; else rect itself
//   g.no_id(id)                  raises a nonzero id a base check returned
//   ruvf::DefinitionRepair r(def)   repairs a definition's rectangles and
//                                puts the caller's back when it goes
//   g.mark_removed()             the base call removed the mark already
// Outside a Guard: ruvf::is_window(win), ruvf::type_of(win) (23 for a text
// edit), ruvf::type_in(win, mask).
#ifndef RUV_FRONT_GUARD_H
#define RUV_FRONT_GUARD_H

#include <cstdint>
#include <initializer_list>

#include "ruv_types.h"
#include "ruvv_errmsg.h"
#include "ruvv_res.h"
#include "ruvv_vobj.h"

namespace ruvf {

// Error ids the front layer raises.
enum : RUV_ERRMSG_ID {
    ID_NULL_HANDLE = 0x00210000,         // "NULL handle"
    ID_INVALID_OBJECT = 0x00220000,      // "Invalid object"
    ID_INCORRECT_OBJECT_TYPE = 0x00230000,
    ID_BAD_VALUE_GENERIC = 0x00250000,   // "Bad value" (sub-category)
    ID_WRONG_STATE_GENERIC = 0x00640000,
    ID_NULL_OBJECT = 0x01210001,
    ID_NULL_WINDOW = 0x01210002,
    ID_NULL_FONT = 0x01210003,
    ID_NULL_PALETTE = 0x01210004,
    ID_NULL_PIXMAP = 0x01210006,
    ID_NULL_IMAGE = 0x01210007,
    ID_NULL_SLIST = 0x0121000A,
    ID_NULL_POINTER = 0x0121000C,
    ID_NULL_HANDLER = 0x0121000E,
    ID_INVALID_OBJECT_HANDLE = 0x01220001,
    ID_INVALID_WINDOW = 0x01220002,
    ID_INVALID_FONT = 0x01220003,
    ID_INVALID_PALETTE = 0x01220004,
    ID_INVALID_PIXMAP = 0x01220006,
    ID_INVALID_IMAGE = 0x01220007,
    ID_INVALID_SLIST = 0x01220008,
    ID_INVALID_ATTRIBUTE = 0x0122000B,
    ID_INVALID_PRINT_RECORD = 0x0122000C,
    ID_INCORRECT_WINDOW_TYPE = 0x01230001,
    ID_INCORRECT_SCROLL_TYPE = 0x01230004,
    ID_RECT_FORMAT = 0x01240003,
    ID_BAD_VALUE = 0x01250001,
    ID_VALUE_TOO_LOW = 0x01250004,
    ID_SIZE_TOO_SMALL = 0x01260003,
    ID_FAILED_CREATE_CONTROL = 0x01520004,
    ID_FAILED_CREATE_DIALOG = 0x01520006,
    ID_FAILED_CREATE_TX = 0x0152000C,
    ID_FAILED_FIND_FILE = 0x01530001,
    ID_FAILED_ACCESS_MENU = 0x01540004,
    ID_WRONG_STATE = 0x01640001,
    ID_DURING_UPDATE = 0x01610001,       // "Request during E_UPDATE processing"
};

// Kind-flag bits the front layer tests.
enum : uint32_t {
    KIND_TEXT_EDIT = 0x2000u,   // counts as type 23
    KIND_REFUSED = 0x4000u,     // refused by destroy, move, raise, set_visible
    KIND_CTL_COLORS = 0x8000u,  // types 2 and 7: control colour and font functions
    KIND_DRAWABLE = 0x543Eu,
    KIND_MENU = 0x20Fu,
    KIND_PIXMAP = 0x400u,
};
enum : uint32_t { CF_NO_MENU_BAR = 0x800u };
enum : int32_t { TYPE_TEXT_EDIT = 23 };

// A set of window types as a bit mask (types 0..31).
constexpr uint32_t types(std::initializer_list<int> list)
{
    uint32_t m = 0;
    for (int t : list)
        m |= 1u << t;
    return m;
}
// Types lo..hi, then without the listed ones.
constexpr uint32_t type_range(int lo, int hi, std::initializer_list<int> except = {})
{
    uint32_t m = 0;
    for (int t = lo; t <= hi; ++t)
        m |= 1u << t;
    for (int t : except)
        m &= ~(1u << t);
    return m;
}

// True when win is a registered view object with the tag (no report).
bool is_window(RUV_WIN win);
// The window's type, 23 for a text edit; win must be a window.
int32_t type_of(RUV_WIN win);
inline bool type_in(RUV_WIN win, uint32_t mask)
{
    int32_t t = type_of(win);
    return t >= 0 && t < 32 && (mask >> t & 1u);
}
inline bool is_text_edit(RUV_WIN win)
{
    return (win->kind & KIND_TEXT_EDIT) != 0;
}

// Which rectangles count as out of order.
enum class Strict {
    Reversed,    // left > right or top > bottom
    EqualEdges,  // left >= right or top >= bottom (empty ones too)
};

class Guard {
public:
    // Marks name in the current error frame; the destructor unmarks.
    Guard(const char *name, const char *source);
    ~Guard();
    Guard(const Guard &) = delete;
    Guard &operator=(const Guard &) = delete;

    const char *name() const { return name_; }
    // The base library removed the mark itself (a failed window from a
    // resource): the destructor leaves the frame alone.
    void mark_removed() { marked_ = false; }
    const char *source() const { return source_; }

    // Raises id (no check); always false.
    bool raise(RUV_ERRMSG_ID id, void *object = nullptr, int32_t severity = RUV_SEV_ERROR,
               int line = __builtin_LINE());
    // Raises id when cond is false; returns cond.
    bool check(bool cond, RUV_ERRMSG_ID id, void *object = nullptr, int line = __builtin_LINE());

    // "Request during E_UPDATE processing" while an update is dispatched.
    bool not_in_update(int line = __builtin_LINE());
    // NULL window, then registry (unregistered: invalid window).
    bool registered(RUV_WIN win, int line = __builtin_LINE());
    // NULL window, registry and tag.
    bool window(RUV_WIN win, int line = __builtin_LINE());
    // The same, then the type (0x01230001 when outside mask).
    bool window(RUV_WIN win, uint32_t type_mask, int line = __builtin_LINE());
    // A text edit raises 0x01230001 (win already checked).
    bool not_text_edit(RUV_WIN win, int line = __builtin_LINE());
    // A required pointer.
    bool not_null(const void *p, RUV_ERRMSG_ID id = ID_NULL_HANDLE, int line = __builtin_LINE());
    template <typename F>
    bool not_null_fn(F *f, RUV_ERRMSG_ID id = ID_NULL_HANDLE, int line = __builtin_LINE())
    {
        return check(f != nullptr, id, nullptr, line);
    }

    // Raises a nonzero id that a base-library check returned; true for 0.
    bool no_id(uint32_t id, int line = __builtin_LINE())
    {
        return id == 0 || raise(id, nullptr, RUV_SEV_ERROR, line);
    }

    // rect itself when in order (or NULL); else warning 0x01240003 and the
    // ordered copy in scratch.  The caller's rectangle is never changed.
    const RUV_RECT *rect(const RUV_RECT *rect, RUV_RECT &scratch, Strict strict = Strict::Reversed,
                         int line = __builtin_LINE());

private:
    const char *name_;
    const char *source_;
    bool marked_ = true;
};

// The base library's repair of a definition's rectangles for the scope of
// one call: whatever becomes of the call, the caller's definition is put
// back as it was given.
class DefinitionRepair {
public:
    explicit DefinitionRepair(RUV_WIN_DEF *def);
    ~DefinitionRepair();
    DefinitionRepair(const DefinitionRepair &) = delete;
    DefinitionRepair &operator=(const DefinitionRepair &) = delete;

private:
    static constexpr int SAVED = 256;
    RUV_RECT saved_[SAVED];
    RUV_RECT *places_[SAVED];
    bool changed_;
};

// True while an E_UPDATE is dispatched (what the refusing members test).
bool in_update();

} // namespace ruvf

#endif
