// Test support for the core of the portable layer: a fixture that starts
// every test with fresh per-process state and records the error reports,
// a failing allocator (the Nth allocation fails) and an allocator that
// hands out addresses above 4 GiB.
#ifndef CORE_TEST_SUPPORT_H
#define CORE_TEST_SUPPORT_H

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ruvv_errmsg.h"
#include "ruvv_mem.h"
#ifdef RUV_TESTS_ON_KERNEL
#include "startup.h"
#else
#include "standin_core.h"
#endif

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#endif

namespace coretest {

struct Report {
    int32_t severity;
    RUV_ERRMSG_ID id;
    std::string text;
    std::string api;
};

inline std::vector<Report> &reports()
{
    static std::vector<Report> r;
    return r;
}

// Records every report and answers handled: no box is shown.
inline RUV_BOOL capture(RUV_ERRMSG *m, void *)
{
    reports().push_back({ ruvv_errmsg_get_sev_id(m), ruvv_errmsg_get_msg_id(m), ruvv_errmsg_get_msg_text(m),
                          ruvv_errmsg_get_api_name(m) });
    return 1;
}

inline bool reported(RUV_ERRMSG_ID id)
{
    for (const Report &r : reports())
        if (r.id == id)
            return true;
    return false;
}

// Ends the process's toolkit state: every static block goes (on the
// Windows kernel or on the stand-in).
inline void end_process()
{
#ifdef RUV_TESTS_ON_KERNEL
    ruvk_static_release_process();
#else
    standin::end_process();
#endif
}

// Fresh toolkit state; reports captured on the root frame; events have
// started (reports keep their severity).  A fixture that needs memory
// hooks of its own installs them in install_hooks (before anything is
// allocated: the first installation wins).
class CoreTest : public ::testing::Test {
protected:
    virtual void install_hooks() {}
    void SetUp() override
    {
        end_process();
        install_hooks();
        reports().clear();
        ruvv_errmsg_set_ready();
        ruvv_errmsg_push_handler(capture, nullptr);
    }
    void TearDown() override { end_process(); }
};

// ---- a failing allocator: allocation number fail_at (1-based) fails ----

struct FailingAlloc {
    static int &count() { static int c = 0; return c; }
    static int &fail_at() { static int f = 0; return f; }
    static bool fail() { return ++count() == fail_at(); }
    static void *alloc(size_t n) { return fail() ? nullptr : std::malloc(n ? n : 1); }
    static void *zalloc(size_t n) { return fail() ? nullptr : std::calloc(1, n ? n : 1); }
    static void *realloc(void *p, size_t n)
    {
        if (n == 0) {
            std::free(p);
            return nullptr;
        }
        return fail() ? nullptr : std::realloc(p, n);
    }
    static void free(void *p) { std::free(p); }
    // Installs the hooks (on fresh state); the allocation numbered `at`
    // from now on fails (0: none).
    static void install(int at)
    {
        count() = 0;
        fail_at() = at;
        static const RUV_MEM_FUNCS f = { alloc, FailingAlloc::free, FailingAlloc::realloc, zalloc };
        ruvv_mem_set_functions(&f);
    }
    static void fail_next(int n) { fail_at() = count() + n; }
};

// ---- memory above 4 GiB ----
//
// Two arenas mapped at high addresses whose low 32 bits are 0x80000000
// (negative as a signed 32-bit value), 4 GiB apart, so two records can
// have identical low halves.  Blocks are never reused.

struct HighAlloc {
    static constexpr size_t ARENA = 1 << 20;
    static char *&arena(int i) { static char *a[2] = { nullptr, nullptr }; return a[i]; }
    static size_t &used(int i) { static size_t u[2] = { 0, 0 }; return u[i]; }
    static int &current() { static int c = 0; return c; }

    static char *map_at(uintptr_t address)
    {
#ifdef _WIN32
        return static_cast<char *>(VirtualAlloc(reinterpret_cast<void *>(address), ARENA,
                                                MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
#else
        void *p = mmap(reinterpret_cast<void *>(address), ARENA, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            return nullptr;
        if (p != reinterpret_cast<void *>(address)) {
            munmap(p, ARENA);
            return nullptr;
        }
        return static_cast<char *>(p);
#endif
    }

    // Maps both arenas once; false when the system gives no such address.
    static bool map()
    {
        if (arena(0))
            return true;
        const uintptr_t bases[] = { 0x00007E0080000000ull, 0x0000700080000000ull, 0x0000200080000000ull,
                                    0x0000001080000000ull };
        for (uintptr_t base : bases) {
            char *a = map_at(base);
            if (!a)
                continue;
            char *b = map_at(base + (uintptr_t(1) << 32));
            if (b) {
                arena(0) = a;
                arena(1) = b;
                return true;
            }
        }
        return false;
    }

    static void *alloc(size_t n)
    {
        int i = current();
        size_t need = ((n ? n : 1) + 16 + 15) & ~size_t(15);
        if (used(i) + need > ARENA)
            return nullptr;
        char *p = arena(i) + used(i);
        used(i) += need;
        std::memcpy(p, &n, sizeof n);
        return p + 16;
    }
    static void *zalloc(size_t n)
    {
        void *p = alloc(n);
        if (p)
            std::memset(p, 0, n);
        return p;
    }
    static void free(void *) {}
    static void *realloc(void *p, size_t n)
    {
        if (!p)
            return alloc(n);
        if (n == 0)
            return nullptr;
        size_t old;
        std::memcpy(&old, static_cast<char *>(p) - 16, sizeof old);
        void *q = alloc(n);
        if (q)
            std::memcpy(q, p, old < n ? old : n);
        return q;
    }
    // Installs the hooks (on fresh state), allocating from arena 0.
    static void install()
    {
        used(0) = used(1) = 0;
        current() = 0;
        static const RUV_MEM_FUNCS f = { alloc, HighAlloc::free, HighAlloc::realloc, zalloc };
        ruvv_mem_set_functions(&f);
    }
};

} // namespace coretest

#endif
