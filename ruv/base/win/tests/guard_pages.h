// Guard pages for tests: blocks placed at the very end of readable memory,
// right before a page that nothing may touch, so that a read or write past
// a block's end stops the test program at once with a message naming the
// address (instead of passing unnoticed, or hanging in a crash dialog).
//
//   kt::Guarded<RUVK_PAGE_INFO_QUERY> q;   // one block of the test's own
//   kt::GuardMem::install();               // before the session: the
//   { kt::GuardMem::Armed a;  ...  }       // toolkit's blocks made in the
//                                          // scope are guarded
#ifndef GUARD_PAGES_H
#define GUARD_PAGES_H

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <new>

#include "ruvv_mem.h"

namespace kt {

class GuardPages {
public:
    // size bytes (rounded up to 16 for alignment) ending where an
    // inaccessible page begins; NULL when the pages cannot be had.
    static void *take(size_t size)
    {
        watch();
        const size_t page = page_size();
        const size_t rounded = (size + 15) & ~size_t(15);
        const size_t body = ((rounded + page - 1) / page) * page;
        auto *base = static_cast<char *>(VirtualAlloc(nullptr, body + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        if (!base)
            return nullptr;
        DWORD old;
        if (!VirtualProtect(base + body, page, PAGE_NOACCESS, &old)) {
            VirtualFree(base, 0, MEM_RELEASE);
            return nullptr;
        }
        char *block = base + body - rounded;
        std::lock_guard<std::mutex> lock(mutex());
        blocks()[block] = { base, size };
        return block;
    }
    // Gives back a block of take(); false for any other pointer.
    static bool give_back(void *block)
    {
        std::lock_guard<std::mutex> lock(mutex());
        auto it = blocks().find(block);
        if (it == blocks().end())
            return false;
        VirtualFree(it->second.base, 0, MEM_RELEASE);
        blocks().erase(it);
        return true;
    }
    // The size asked for a block of take(); 0 for any other pointer.
    static size_t size_of(void *block)
    {
        std::lock_guard<std::mutex> lock(mutex());
        auto it = blocks().find(block);
        return it == blocks().end() ? 0 : it->second.size;
    }

private:
    struct Block {
        char *base;
        size_t size;
    };
    static size_t page_size()
    {
        SYSTEM_INFO si;
        GetSystemInfo(&si);
        return si.dwPageSize;
    }
    static std::mutex &mutex()
    {
        static std::mutex m;
        return m;
    }
    static std::map<void *, Block> &blocks()
    {
        static std::map<void *, Block> b;
        return b;
    }
    // An access violation on a guard page, or further on past a guarded
    // block (a long jump past its end skips the guard page), ends the
    // program with exit code 3; every other exception goes on as before.
    static LONG CALLBACK on_exception(EXCEPTION_POINTERS *e)
    {
        const EXCEPTION_RECORD *r = e->ExceptionRecord;
        if (r->ExceptionCode != EXCEPTION_ACCESS_VIOLATION || r->NumberParameters < 2)
            return EXCEPTION_CONTINUE_SEARCH;
        auto *at = reinterpret_cast<char *>(r->ExceptionInformation[1]);
        constexpr size_t reach = size_t(16) << 20;
        const Block *nearest = nullptr;
        char *nearest_end = nullptr;
        for (const auto &b : blocks()) {
            char *end = static_cast<char *>(b.first) + ((b.second.size + 15) & ~size_t(15));
            if (at >= end && at - end < static_cast<ptrdiff_t>(reach) && (!nearest || end > nearest_end)) {
                nearest = &b.second;
                nearest_end = end;
            }
        }
        if (!nearest)
            return EXCEPTION_CONTINUE_SEARCH;
        std::fprintf(stderr, "\n*** %s %zu bytes past the end of a %zu-byte guarded block\n",
                     r->ExceptionInformation[0] ? "write" : "read", static_cast<size_t>(at - nearest_end),
                     nearest->size);
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
        return EXCEPTION_CONTINUE_SEARCH;
    }
    static void watch()
    {
        static bool installed = AddVectoredExceptionHandler(1, on_exception) != nullptr;
        (void)installed;
    }
};

// One block of type T of the test's own, value-initialised, on guard.
template <typename T> class Guarded {
public:
    Guarded() : block_(static_cast<T *>(GuardPages::take(sizeof(T))))
    {
        if (block_)
            new (block_) T{};
    }
    ~Guarded()
    {
        if (block_)
            GuardPages::give_back(block_);
    }
    Guarded(const Guarded &) = delete;
    Guarded &operator=(const Guarded &) = delete;
    T *get() const { return block_; }
    T *operator->() const { return block_; }

private:
    T *block_;
};

// Memory hooks of the toolkit that put every block made while a scope is
// armed on guard; the others come from the C heap.
struct GuardMem {
    static int &armed()
    {
        static int n = 0;
        return n;
    }
    struct Armed {
        Armed() { ++armed(); }
        ~Armed() { --armed(); }
    };
    static void *alloc(size_t size) { return armed() ? GuardPages::take(size ? size : 1) : std::malloc(size ? size : 1); }
    static void *zalloc(size_t size)
    {
        void *p = alloc(size);
        if (p)
            std::memset(p, 0, size);
        return p;
    }
    static void release(void *p)
    {
        if (p && !GuardPages::give_back(p))
            std::free(p);
    }
    // A heap block stays on the heap; a guarded one moves to a new block.
    static void *resize(void *p, size_t size)
    {
        if (!p)
            return alloc(size);
        const size_t old = GuardPages::size_of(p);
        if (!old)
            return std::realloc(p, size);
        if (size == 0) {
            release(p);
            return nullptr;
        }
        void *n = alloc(size);
        if (!n)
            return nullptr;
        std::memcpy(n, p, old < size ? old : size);
        release(p);
        return n;
    }
    // Effective only while no hooks are installed: call before the session.
    static void install()
    {
        static const RUV_MEM_FUNCS funcs = { alloc, release, resize, zalloc };
        ruvv_mem_set_functions(&funcs);
    }
};

} // namespace kt

#endif
