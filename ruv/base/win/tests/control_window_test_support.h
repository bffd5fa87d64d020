// A started application with one visible document window for control tests:
// the body gets the window (made with the given event handler) inside the
// message loop, with reports captured and modal windows guarded.
#ifndef CONTROL_WINDOW_TEST_SUPPORT_H
#define CONTROL_WINDOW_TEST_SUPPORT_H

#include <functional>

#include "event_test_support.h"

namespace cw {

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
