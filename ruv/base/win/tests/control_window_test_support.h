// Control tests: a started application with one visible document window
// (the body gets the window, made with the given event handler, inside the
// message loop, with reports captured and modal windows guarded), and
// memory hooks that refuse one size of block.
#ifndef CONTROL_WINDOW_TEST_SUPPORT_H
#define CONTROL_WINDOW_TEST_SUPPORT_H

#include <atomic>
#include <cstdlib>
#include <functional>

#include "event_test_support.h"

namespace cw {

// Memory hooks that refuse blocks of one armed size (0: none).  Installed
// before the kernel starts (the first hooks of a process stay).
struct RefusingMem {
    static std::atomic<size_t> &armed()
    {
        static std::atomic<size_t> a{0};
        return a;
    }
    static bool refuse(size_t size) { return size != 0 && size == armed(); }
    static void *alloc(size_t size) { return refuse(size) ? nullptr : std::malloc(size); }
    static void *zalloc(size_t size) { return refuse(size) ? nullptr : std::calloc(1, size); }
    static void release(void *p) { std::free(p); }
    static void *resize(void *p, size_t size) { return refuse(size) ? nullptr : std::realloc(p, size); }
    static void install()
    {
        static const RUV_MEM_FUNCS funcs = {alloc, release, resize, zalloc};
        ruvv_mem_set_functions(&funcs);
    }
};

inline void run_in_window(const char *title, RUV_RECT rect, RUV_EVENT_HANDLER handler,
                          const std::function<void(RUV_WIN)> &body)
{
    kt::ModalGuard guard;
    kt::Session session;
    ASSERT_TRUE(session.ok());
    et::seen().clear();
    et::run([&] {
        RUV_WIN w = ruvk_win_create(1, &rect, title, 0, et::task(), 0x803, RUV_EVENT_MASK_ALL, handler, nullptr);
        ASSERT_NE(w, nullptr);
        et::pump(100);
        body(w);
    });
}

} // namespace cw

#endif
