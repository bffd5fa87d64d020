/* The print record: filled from the default printer or the print-setup
   dialog, checked, copied to and from the dialog's global handles, page
   orientation and paper size, the printer's device context and what the
   device tells about its page. */
#include "printing.h"

#include "cursor.h"
#include "dialogs.h"
#include "kernel_app.h"

#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "ruvv_mem.h"

#include <commdlg.h>
#include <cderr.h>

#include <cstdlib>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr RUV_ERRMSG_ID ERR_NO_MEMORY = 0x00510000;
constexpr RUV_ERRMSG_ID ERR_NAMES_TOO_LONG = 0x0073C360;
constexpr RUV_ERRMSG_ID ERR_DEFAULT_DIFFERENT = 0x0072C39B;
constexpr RUV_ERRMSG_ID ERR_DN_DM_MISMATCH = 0x0072C39C;
constexpr RUV_ERRMSG_ID ERR_RETDEFAULT = 0x0072C39D;
constexpr RUV_ERRMSG_ID WARN_NO_PRINTER = 0x01540003;
constexpr int32_t ATTR_SETUP_ANY_OK = 10041;

void report(int32_t severity, RUV_ERRMSG_ID id, int line)
{
    ruvv_errmsg_dispatch(nullptr, severity, id, "wprnt", line);
}

DEVMODEA *devmode_of(RUV_PRINT_RECORD *r)
{
    return reinterpret_cast<DEVMODEA *>(r->devmode);
}

const DEVMODEA *devmode_of(const RUV_PRINT_RECORD *r)
{
    return reinterpret_cast<const DEVMODEA *>(r->devmode);
}

DEVNAMES *names_of(RUV_PRINT_RECORD *r)
{
    return reinterpret_cast<DEVNAMES *>(r->names);
}

const DEVNAMES *names_of(const RUV_PRINT_RECORD *r)
{
    return reinterpret_cast<const DEVNAMES *>(r->names);
}

/* The string at offset in a names block of size bytes, NULL when it has
   no terminator inside. */
const char *name_at(const uint8_t *block, size_t size, size_t offset)
{
    if (offset >= size || !std::memchr(block + offset, 0, size - offset))
        return nullptr;
    return reinterpret_cast<const char *>(block + offset);
}

/* The length of a names block: the furthest end of its three strings;
   limit + 1 when a string has no terminator within limit bytes, 0 when
   the block is shorter than its header. */
size_t names_length(const uint8_t *block, size_t limit)
{
    if (limit < sizeof(DEVNAMES))
        return 0;
    const DEVNAMES *dn = reinterpret_cast<const DEVNAMES *>(block);
    size_t end = sizeof(DEVNAMES);
    for (WORD off : {dn->wDriverOffset, dn->wDeviceOffset, dn->wOutputOffset}) {
        const char *s = name_at(block, limit, off);
        if (!s)
            return limit + 1;
        size_t e = off + std::strlen(s) + 1;
        if (e > end)
            end = e;
    }
    return end;
}

size_t devmode_length(const RUV_PRINT_RECORD *r)
{
    const DEVMODEA *dm = devmode_of(r);
    return (size_t)dm->dmSize + dm->dmDriverExtra;
}

void zero_settings(RUV_PRINT_RECORD *r)
{
    std::memset(r->devmode, 0, sizeof r->devmode);
    std::memset(r->names, 0, sizeof r->names);
}

const RUVK_PRINT_DEVICE SYSTEM_DEVICE = {GetDeviceCaps, Escape,       StartDocA, EndDoc,    AbortDoc,
                                         StartPage,     EndPage,      SetAbortProc, CreateDCA, CreateICA};
const RUVK_PRINT_DEVICE *g_device = &SYSTEM_DEVICE;

} // namespace

extern "C" {

void ruvk_print_set_device(const RUVK_PRINT_DEVICE *device)
{
    g_device = device ? device : &SYSTEM_DEVICE;
}

const RUVK_PRINT_DEVICE *ruvk_print_device(void)
{
    return g_device;
}

RUV_BOOL ruvk_print_record_is_valid(const RUV_PRINT_RECORD *r)
{
    if (!r)
        return FALSE;
    bool any = false;
    for (size_t i = sizeof r->print_win; i < sizeof *r && !any; ++i)
        any = reinterpret_cast<const uint8_t *>(r)[i] != 0;
    if (!any)
        return FALSE;
    const DEVMODEA *dm = devmode_of(r);
    if (dm->dmSize != 0 && dm->dmSize < 39)
        return FALSE;
    const DEVNAMES *dn = names_of(r);
    if (!name_at(r->names, sizeof r->names, dn->wDriverOffset) || !name_at(r->names, sizeof r->names, dn->wDeviceOffset))
        return FALSE;
    return devmode_length(r) <= RUVK_PRINT_DEVMODE_SIZE;
}

RUV_BOOL ruvk_print_from_handles(RUV_PRINT_RECORD *r, HGLOBAL devmode, HGLOBAL names)
{
    if (!r)
        return FALSE;
    const uint8_t *nb = names ? static_cast<const uint8_t *>(GlobalLock(names)) : nullptr;
    size_t nlen = 0;
    if (nb) {
        // A string without its terminator inside the block is refused
        // like an over-long block.
        const size_t size = GlobalSize(names);
        nlen = names_length(nb, size);
        if (nlen > size || nlen > RUVK_PRINT_NAMES_SIZE) {
            GlobalUnlock(names);
            report(RUV_SEV_ERROR, ERR_NAMES_TOO_LONG, __LINE__);
            return FALSE;
        }
    }
    const uint8_t *db = devmode ? static_cast<const uint8_t *>(GlobalLock(devmode)) : nullptr;
    size_t dlen = 0;
    if (db) {
        // The block must hold its own size fields before they are read.
        const size_t size = GlobalSize(devmode);
        const DEVMODEA *dm = reinterpret_cast<const DEVMODEA *>(db);
        if (size >= offsetof(DEVMODEA, dmDriverExtra) + sizeof dm->dmDriverExtra)
            dlen = (size_t)dm->dmSize + dm->dmDriverExtra;
        else
            dlen = SIZE_MAX;
        if (dlen > size || dlen > RUVK_PRINT_DEVMODE_SIZE) {
            GlobalUnlock(devmode);
            if (nb)
                GlobalUnlock(names);
            return FALSE;
        }
    }
    zero_settings(r);
    if (db) {
        std::memcpy(r->devmode, db, dlen);
        GlobalUnlock(devmode);
    }
    if (nb) {
        std::memcpy(r->names, nb, nlen);
        GlobalUnlock(names);
    }
    return TRUE;
}

RUV_BOOL ruvk_print_to_handles(RUV_PRINT_RECORD *r, HGLOBAL *devmode, HGLOBAL *names)
{
    *devmode = nullptr;
    *names = nullptr;
    if (!ruvk_print_record_is_valid(r))
        return TRUE;
    uint32_t first;
    std::memcpy(&first, r->devmode, sizeof first);
    if (first != 0) {
        size_t len = devmode_length(r);
        *devmode = GlobalAlloc(GMEM_MOVEABLE, len);
        void *p = *devmode ? GlobalLock(*devmode) : nullptr;
        if (!p) {
            if (*devmode)
                GlobalFree(*devmode);
            *devmode = nullptr;
            return FALSE;
        }
        std::memcpy(p, r->devmode, len);
        GlobalUnlock(*devmode);
    }
    size_t nlen = names_length(r->names, sizeof r->names);
    if (nlen >= 2 && nlen <= sizeof r->names) {
        *names = GlobalAlloc(GMEM_MOVEABLE, nlen);
        void *p = *names ? GlobalLock(*names) : nullptr;
        if (!p) {
            if (*names)
                GlobalFree(*names);
            if (*devmode)
                GlobalFree(*devmode);
            *names = *devmode = nullptr;
            return FALSE;
        }
        std::memcpy(p, r->names, nlen);
        GlobalUnlock(*names);
    }
    return TRUE;
}

RUV_BOOL ruvk_print_get_default(RUV_PRINT_RECORD *r)
{
    if (!r)
        return FALSE;
    PRINTDLGA pd;
    std::memset(&pd, 0, sizeof pd);
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT;
    bool ok = PrintDlgA(&pd) != 0;
    if (!ok) {
        switch (CommDlgExtendedError()) {
        case PDERR_RETDEFFAILURE:
            report(RUV_SEV_ERROR, ERR_RETDEFAULT, __LINE__);
            break;
        case PDERR_DNDMMISMATCH:
            report(RUV_SEV_ERROR, ERR_DN_DM_MISMATCH, __LINE__);
            break;
        case PDERR_DEFAULTDIFFERENT:
            report(RUV_SEV_ERROR, ERR_DEFAULT_DIFFERENT, __LINE__);
            break;
        default:
            break;
        }
    } else {
        ok = ruvk_print_from_handles(r, pd.hDevMode, pd.hDevNames) != 0;
    }
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        GlobalFree(pd.hDevNames);
    if (!ok)
        zero_settings(r);
    return ok ? TRUE : FALSE;
}

/* When the record follows the default printer (the names block's default
   flag) and that has changed, the record takes the new one. */
void ruvk_print_follow_default(RUV_PRINT_RECORD *r)
{
    if (!r || !(names_of(r)->wDefault & DN_DEFAULTPRN))
        return;
    auto *now = static_cast<RUV_PRINT_RECORD *>(ruvv_mem_zalloc(sizeof(RUV_PRINT_RECORD)));
    if (!now)
        return;
    if (ruvk_print_get_default(now) && std::memcmp(devmode_of(now)->dmDeviceName, devmode_of(r)->dmDeviceName,
                                                   sizeof devmode_of(r)->dmDeviceName) != 0) {
        std::memcpy(r->devmode, now->devmode, sizeof r->devmode);
        std::memcpy(r->names, now->names, sizeof r->names);
    }
    ruvv_mem_free(now);
}

HDC ruvk_print_make_dc(RUV_PRINT_RECORD *r, RUV_BOOL ic)
{
    if (!r)
        return nullptr;
    if (!ruvk_print_record_is_valid(r))
        ruvk_print_get_default(r);
    if (!ruvk_print_record_is_valid(r))
        return nullptr;
    const DEVNAMES *dn = names_of(r);
    const char *driver = name_at(r->names, sizeof r->names, dn->wDriverOffset);
    const char *device = name_at(r->names, sizeof r->names, dn->wDeviceOffset);
    const char *port = name_at(r->names, sizeof r->names, dn->wOutputOffset);
    const DEVMODEA *dm = devmode_of(r)->dmSize ? devmode_of(r) : nullptr;
    const RUVK_PRINT_DEVICE *d = ruvk_print_device();
    return ic ? d->create_ic(driver, device, port, dm) : d->create_dc(driver, device, port, dm);
}

RUV_BOOL ruvk_print_get_page_info(RUV_PRINT_RECORD *r, HDC hdc, RUVK_PAGE_INFO *out)
{
    if (!out)
        return FALSE;
    HDC ic = hdc ? nullptr : ruvk_print_make_dc(r, TRUE);
    HDC dc = hdc ? hdc : ic;
    if (!dc)
        return FALSE;
    const RUVK_PRINT_DEVICE *d = ruvk_print_device();
    out->vres = d->get_device_caps(dc, LOGPIXELSY);
    out->hres = d->get_device_caps(dc, LOGPIXELSX);
    int height = d->get_device_caps(dc, VERTRES);
    int width = d->get_device_caps(dc, HORZRES);
    POINT phys{}, offset{};
    if (d->escape(dc, GETPHYSPAGESIZE, 0, nullptr, &phys) > 0) {
        if (d->escape(dc, GETPRINTINGOFFSET, 0, nullptr, &offset) <= 0)
            offset = POINT{0, 0};
        if (phys.y - offset.y < height)
            height = phys.y - offset.y;
        if (phys.x - offset.x < width)
            width = phys.x - offset.x;
    }
    out->height = (int16_t)height;
    out->width = (int16_t)width;
    if (ic)
        DeleteDC(ic);
    return TRUE;
}

int32_t ruvk_print_page_query(RUVK_PAGE_INFO_QUERY *q)
{
    if (!q || !q->record)
        return FALSE;
    return ruvk_print_get_page_info(q->record, nullptr, &q->page);
}

RUV_PRINT_RECORD *ruvk_print_create(int32_t *size)
{
    auto *r = static_cast<RUV_PRINT_RECORD *>(ruvv_mem_zalloc(sizeof(RUV_PRINT_RECORD)));
    if (size)
        *size = r ? (int32_t)sizeof(RUV_PRINT_RECORD) : 0;
    if (r)
        ruvk_print_get_default(r);
    return r;
}

void ruvk_print_destroy(RUV_PRINT_RECORD *r)
{
    ruvv_mem_free(r);
}

RUV_BOOL ruvk_print_is_valid(RUV_PRINT_RECORD *r)
{
    if (!ruvk_print_record_is_valid(r))
        return FALSE;
    HDC ic = ruvk_print_make_dc(r, TRUE);
    if (!ic)
        return FALSE;
    DeleteDC(ic);
    return TRUE;
}

RUV_BOOL ruvk_print_set_page_orient(RUV_PRINT_RECORD *r, int32_t orientation)
{
    if (!r || (orientation != 0 && orientation != 1) || !ruvk_print_record_is_valid(r) ||
        devmode_of(r)->dmSize == 0)
        return FALSE;
    DEVMODEA *dm = devmode_of(r);
    dm->dmOrientation = (short)(orientation == 0 ? DMORIENT_PORTRAIT : DMORIENT_LANDSCAPE);
    dm->dmFields |= DM_ORIENTATION;
    return TRUE;
}

RUV_BOOL ruvk_print_set_page_size(RUV_PRINT_RECORD *r, double width, double height, int32_t units)
{
    if (!r || !ruvk_print_record_is_valid(r) || devmode_of(r)->dmSize == 0)
        return FALSE;
    int32_t w, h;
    if (units == 0) {
        w = (int32_t)(width * 254.0);
        h = (int32_t)(height * 254.0);
    } else if (units == 1) {
        w = (int32_t)(width * 10.0);
        h = (int32_t)(height * 10.0);
    } else {
        return FALSE;
    }
    const DEVNAMES *dn = names_of(r);
    const char *device = name_at(r->names, sizeof r->names, dn->wDeviceOffset);
    const char *port = name_at(r->names, sizeof r->names, dn->wOutputOffset);
    int n = DeviceCapabilitiesA(device, port, DC_PAPERS, nullptr, nullptr);
    if (n <= 0)
        return FALSE;
    std::vector<WORD> papers;
    std::vector<POINT> sizes;
    try {
        papers.resize((size_t)n);
        sizes.resize((size_t)n);
    } catch (...) {
        report(RUV_SEV_ERROR, ERR_NO_MEMORY, __LINE__);
        return FALSE;
    }
    n = DeviceCapabilitiesA(device, port, DC_PAPERS, reinterpret_cast<LPSTR>(papers.data()), nullptr);
    int m = DeviceCapabilitiesA(device, port, DC_PAPERSIZE, reinterpret_cast<LPSTR>(sizes.data()), nullptr);
    if (m < n)
        n = m;
    if (n <= 0)
        return FALSE;
    int chosen = -1;
    /* Within 0.75 mm of both sides: taken at once, in list order. */
    for (int i = 0; i < n && chosen < 0; ++i)
        if (2 * std::abs(sizes[i].x - w) <= 15 && 2 * std::abs(sizes[i].y - h) <= 15)
            chosen = i;
    /* Else the smallest that holds the page: a candidate replaces the best
       one only when it is no wider and no higher. */
    if (chosen < 0) {
        for (int j = 0; j < n; ++j)
            if (sizes[j].x >= w && sizes[j].y >= h &&
                (chosen < 0 || (sizes[j].x <= sizes[chosen].x && sizes[j].y <= sizes[chosen].y)))
                chosen = j;
    }
    /* Else the largest, by width and then height. */
    if (chosen < 0) {
        chosen = 0;
        for (int j = 1; j < n; ++j)
            if (sizes[j].x > sizes[chosen].x || (sizes[j].x == sizes[chosen].x && sizes[j].y > sizes[chosen].y))
                chosen = j;
    }
    DEVMODEA *dm = devmode_of(r);
    dm->dmPaperSize = (short)papers[(size_t)chosen];
    dm->dmFields |= DM_PAPERSIZE;
    return TRUE;
}

RUV_BOOL ruvk_print_setup_dialog(RUV_PRINT_RECORD *r, RUV_BOOL retry, RUV_BOOL force_default)
{
    if (!r)
        return FALSE;
    ruvk_print_follow_default(r);
    if (!ruvk_print_record_is_valid(r))
        ruvk_print_get_default(r);
    if (!ruvk_print_record_is_valid(r))
        report(RUV_SEV_WARNING, WARN_NO_PRINTER, __LINE__);
    if (force_default && !ruvk_print_get_default(r))
        ruvk_print_get_default(r);

    PRINTDLGA pd;
    std::memset(&pd, 0, sizeof pd);
    pd.lStructSize = sizeof pd;
    if (!ruvk_print_to_handles(r, &pd.hDevMode, &pd.hDevNames))
        return FALSE;
    pd.Flags = PD_PRINTSETUP;
    pd.hwndOwner = ruvk_dlg_owner(TRUE);
    RUV_WIN *disabled = ruvk_dlg_disable_windows(nullptr);
    BOOL accepted = PrintDlgA(&pd);
    ruvk_dlg_enable_windows(disabled);
    RUV_BOOL result = FALSE;
    bool again = false;
    if (accepted) {
        result = ruvk_print_from_handles(r, pd.hDevMode, pd.hDevNames);
        if (result)
            ruvk_print_follow_default(r);
    } else {
        DWORD err = CommDlgExtendedError();
        if (err < PDERR_SETUPFAILURE || err > PDERR_DEFAULTDIFFERENT) {
            if (ruvk_vobj_get_attr(NULL_WIN, ATTR_SETUP_ANY_OK) == 0) {
                if (force_default)
                    names_of(r)->wDefault |= DN_DEFAULTPRN;
                result = TRUE;
            }
        } else if (!retry && (err == PDERR_LOADDRVFAILURE || err == PDERR_GETDEVMODEFAIL ||
                              err == PDERR_DNDMMISMATCH || err == PDERR_PRINTERNOTFOUND ||
                              err == PDERR_DEFAULTDIFFERENT)) {
            again = true;
        }
    }
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        GlobalFree(pd.hDevNames);
    if (again) {
        ruvk_print_get_default(r);
        return ruvk_print_setup_dialog(r, TRUE, force_default);
    }
    return result;
}

RUV_BOOL ruvk_dm_post_page_setup(RUV_PRINT_RECORD *r)
{
    if (!r)
        return FALSE;
    auto *copy = static_cast<RUV_PRINT_RECORD *>(ruvv_mem_alloc(sizeof(RUV_PRINT_RECORD)));
    if (!copy) {
        report(RUV_SEV_ERROR, ERR_NO_MEMORY, __LINE__);
        return FALSE;
    }
    std::memcpy(copy, r, sizeof *r);
    RUV_BOOL result = TRUE;
    if (!ruvk_print_setup_dialog(r, FALSE, FALSE)) {
        std::memcpy(r, copy, sizeof *r);
        result = FALSE;
    } else if (ruvk_vobj_get_attr(NULL_WIN, ATTR_SETUP_ANY_OK) == 0 && std::memcmp(r, copy, sizeof *r) == 0) {
        result = FALSE;
    }
    ruvv_mem_free(copy);
    return result;
}

} // extern "C"
