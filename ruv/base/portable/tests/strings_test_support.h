// Test support for the string, container and stream modules: a fixture on
// fresh toolkit state in the single-byte or the double-byte string mode, and
// a read stream over bytes in memory.
#ifndef STRINGS_TEST_SUPPORT_H
#define STRINGS_TEST_SUPPORT_H

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core_test_support.h"
#include "ruvk.h"
#include "ruvv_iostr.h"
#ifndef RUV_TESTS_ON_KERNEL
#include "standin_strings.h"
#endif

namespace strtest {

constexpr int32_t kAttrMultibyte = 713;

// Fresh state; the string module reads its multi-byte flag anew at first
// use.  multibyte_mode() selects the double-byte code page 932 with the flag
// set: only the stand-in can change the code page, so the double-byte tests
// run natively and the single-byte ones on the Windows kernel too (whose
// code page is the system's).
class StringTest : public coretest::CoreTest {
protected:
    virtual bool multibyte_mode() const { return false; }
    void SetUp() override
    {
        coretest::CoreTest::SetUp();
#ifndef RUV_TESTS_ON_KERNEL
        standin::set_codepage(multibyte_mode() ? 932 : 0);
        standin::list_reset();
#endif
        ruvk_vobj_set_attr(NULL_WIN, kAttrMultibyte, multibyte_mode() ? 1 : 0);
    }
    void TearDown() override
    {
#ifndef RUV_TESTS_ON_KERNEL
        standin::set_codepage(0);
#endif
        coretest::CoreTest::TearDown();
    }
};

#ifndef RUV_TESTS_ON_KERNEL
class MultiByteTest : public StringTest {
protected:
    bool multibyte_mode() const override { return true; }
};
#endif

// Bytes in memory read through a caller-source stream.
struct MemorySource {
    std::vector<unsigned char> bytes;
    size_t pos = 0;
    RUV_IOSTR *stream = nullptr;

    explicit MemorySource(const std::vector<unsigned char> &b) : bytes(b)
    {
        stream = ruvv_iostr_create_read(this, read, size);
    }
    explicit MemorySource(const std::string &s) : MemorySource(std::vector<unsigned char>(s.begin(), s.end())) {}
    ~MemorySource() { ruvv_iostr_destroy(stream); }
    MemorySource(const MemorySource &) = delete;
    MemorySource &operator=(const MemorySource &) = delete;

    static int32_t read(RUV_IOSTR *s, int32_t count, void *buffer)
    {
        auto *m = static_cast<MemorySource *>(s->source);
        size_t n = std::min((size_t)count, m->bytes.size() - m->pos);
        if (n == 0)
            return count == 0 ? 0 : -1;
        std::memcpy(buffer, m->bytes.data() + m->pos, n);
        m->pos += n;
        return (int32_t)n;
    }
    static int32_t size(RUV_IOSTR *s) { return (int32_t) static_cast<MemorySource *>(s->source)->bytes.size(); }
};

inline int count_reports(RUV_ERRMSG_ID id)
{
    int n = 0;
    for (const coretest::Report &r : coretest::reports())
        n += r.id == id;
    return n;
}

} // namespace strtest

#endif
