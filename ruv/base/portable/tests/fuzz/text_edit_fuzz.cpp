// Fuzz target for the text edit's engine.  Input: a set-up byte (bit 0 the
// double-byte string mode, bits 1-3 attributes: wrap, one paragraph,
// overtype; bits 4-7 the wrap width in characters) and a limit byte, then
// operations of one code byte and their argument bytes: typed characters,
// virtual keys with and without Shift, pastes, selections, paragraph calls,
// Edit-menu commands and mouse presses, drags and releases.  After every
// operation the text must hold together: positions inside the text, rising
// line starts, the total line count the sum of the paragraphs' counts, the
// record unlocked.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_strings_mode.h"
#include "ruvv_attr.h"
#include "ruvv_tx.h"
#include "standin_core.h"
#include "standin_drawing.h"
#include "../../text_edit_private.h"

namespace {

std::string g_clip;
bool g_has_clip = false;

const ruvtx::Platform kClipboard = {
    [](int16_t) -> RUV_BOOL { return TRUE; },
    []() -> RUV_BOOL { return TRUE; },
    []() -> RUV_BOOL { return g_has_clip ? TRUE : FALSE; },
    [](const char *t, int32_t n) -> RUV_BOOL {
        g_clip.assign(t, (size_t)n);
        g_has_clip = true;
        return TRUE;
    },
    [](int32_t *n) -> const char * {
        *n = (int32_t)g_clip.size();
        return g_has_clip ? g_clip.data() : nullptr;
    },
    [](RUV_WIN, int32_t, RUV_BOOL) {},
    // Drawing and the caret: the defaults (nothing is drawn).
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
};

void check(bool ok)
{
    if (!ok)
        abort();
}

void check_pos(ruvtx::Record *r, const ruvtx::Pos &p)
{
    if (r->npars == 0) {
        check(p.par == 0 && p.line == 0 && p.ch == 0);
        return;
    }
    check(p.par < (uint32_t)r->npars);
    check((int32_t)p.line < ruvtx::par_lines(r, p.par));
    check(p.ch <= (uint32_t)ruvtx::line_chars(r, p.par, (int32_t)p.line));
}

void check_text(int32_t h)
{
    ruvtx::Slot *s = ruvtx::slot(h);
    check(s && s->locks == 0);
    ruvtx::Record *r = ruvtx::lock_record(h);
    check(r != nullptr);
    int64_t sum = 0;
    for (int32_t p = 0; p < r->npars; ++p) {
        ruvtx::ParBlock *b = ruvtx::par_block(r, (uint32_t)p);
        int32_t n = r->pars[p].lines;
        check(n >= 1);
        check((int32_t)strlen(b->text()) == b->length);
        int32_t prev = 0;
        for (int32_t k = 1; k < n; ++k) {
            int32_t start = ruvtx::line_start(r, (uint32_t)p, k);
            check(start > prev && start < b->length);
            prev = start;
        }
        sum += n;
    }
    check((int32_t)(uint16_t)sum == r->total_lines);
    check_pos(r, r->anchor);
    check_pos(r, r->caret);
    if (r->npars)
        check(r->org_par < (uint32_t)r->npars && (int32_t)r->org_line < ruvtx::par_lines(r, r->org_par));
    ruvtx::unlock_record(h);
    check(s->locks == 0);
}

const int32_t kKeys[] = { K_UP, K_DOWN, K_RIGHT, K_LEFT, K_PAGE_UP, K_PAGE_DOWN, K_HOME, K_END,
                          K_CTRL_HOME, K_CTRL_END, K_CTRL_LEFT, K_CTRL_RIGHT, K_DELETE, K_CLEAR,
                          K_PAD_0 + 7, K_PAD_DECIMAL, 378, 379, 380, 381 };

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    size_t pos = 2;
    auto byte = [&]() -> uint8_t { return pos < size ? data[pos++] : 0; };
    auto text = [&](size_t n) {
        n = std::min(n, size - pos);
        std::string t(reinterpret_cast<const char *>(data + pos), n);
        pos += n;
        return t;
    };

    uint8_t setup = data[0];
    fuzzmode::use(setup & 1);
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_TX_HANDLE_API, 1);
    ruvtx::set_platform(&kClipboard);
    g_clip.clear();
    g_has_clip = false;

    static RUV_VOBJ win;
    win = RUV_VOBJ{};
    // The window has the focus, so the Edit-menu commands reach its text edit.
    standin::set_focus(&win);
    uint16_t attrs = (uint16_t)(((setup & 2) ? TX_WRAP : 0) | ((setup & 4) ? TX_ONEPAR : 0) |
                                ((setup & 8) ? TX_OVERTYPE : 0));
    int32_t margin = 8 * (setup >> 4);
    RUV_RECT rect{ 0, 0, 100, 120 };
    TXEDIT tx = ruvv_tx_create(&win, &rect, attrs, nullptr, margin, data[1] % 40);
    if (!tx) {
        standin::reset_drawing();
        return 0;
    }
    int32_t h = (int32_t)tx;

    int ops = 0;
    // Bounded work per input: a few hundred operations on at most some
    // two thousand paragraphs.
    while (pos < size && ++ops < 400 && ruvv_tx_get_num_pars(tx) < 2000) {
        uint8_t op = byte();
        RUV_EVENT ev{};
        switch (op % 11) {
        case 0:
            ev.type = E_CHAR;
            ev.v.chr.key = (int16_t)byte();
            ruvv_tx_process_event(&win, &ev);
            break;
        case 1: {
            uint8_t k = byte();
            ev.type = E_CHAR;
            ev.v.chr.key = (int16_t)kKeys[k % (sizeof kKeys / sizeof kKeys[0])];
            ev.v.chr.virtual_key = 1;
            ev.v.chr.shift = (int16_t)(k >> 7);
            ruvv_tx_process_event(&win, &ev);
            break;
        }
        case 2:
            g_clip = text(byte());
            g_has_clip = true;
            ev.type = E_COMMAND;
            ev.v.command.tag = TX_CMD_PASTE;
            ruvv_tx_process_event(&win, &ev);
            break;
        case 3: {
            uint8_t a = byte(), b = byte(), c = byte(), d = byte();
            ruvv_tx_set_sel(tx, a % 8, a >> 3, b, c % 8, c >> 3, d);
            break;
        }
        case 4: {
            uint8_t i = byte();
            ruvv_tx_add_par(tx, i % 10, text(byte() % 64).c_str());
            break;
        }
        case 5:
            ruvv_tx_rem_par(tx, byte() % 10);
            break;
        case 6: {
            uint8_t i = byte();
            ruvv_tx_set_par(tx, i % 10, text(byte() % 64).c_str());
            break;
        }
        case 7: {
            uint8_t i = byte();
            ruvv_tx_append(tx, i % 10, text(byte() % 64).c_str());
            break;
        }
        case 8:
            ev.type = E_COMMAND;
            ev.v.command.tag = TX_CMD_CUT + byte() % 4;
            ruvv_tx_process_event(&win, &ev);
            break;
        case 9: {
            uint8_t kind = byte();
            static const int32_t types[] = { E_MOUSE_DOWN, E_MOUSE_MOVE, E_MOUSE_UP, E_MOUSE_DOUBLE };
            ev.type = types[kind % 4];
            ev.v.mouse.shift = (int16_t)((kind >> 2) & 1);
            ev.v.mouse.v = (int16_t)(byte() - 20);
            ev.v.mouse.h = (int16_t)(byte() - 20);
            ruvv_tx_process_event(&win, &ev);
            break;
        }
        default: {
            uint8_t what = byte();
            if (what % 4 == 0)
                ruvv_tx_clear(tx);
            else if (what % 4 == 1)
                ruvv_tx_set_margin(tx, what >> 2);
            else if (what % 4 == 2)
                ruvv_tx_set_attr(tx, (uint16_t)(ruvv_tx_get_attr(tx) ^ TX_WRAP));
            else
                ruvv_tx_reset(tx);
            break;
        }
        }
        check_text(h);
    }
    ruvv_tx_destroy(tx);
    ruvtx::set_platform(nullptr);
    standin::reset_drawing();
    return 0;
}
