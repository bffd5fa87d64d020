// Test support for images: what image_stream_support.h gives, a sink that
// can be made to fail, files in the build tree, the debug output, and the
// fixture the image tests start from (fresh toolkit state, reports
// captured, the screen's colour class set to colour).
#ifndef IMAGE_TEST_SUPPORT_H
#define IMAGE_TEST_SUPPORT_H

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "core_test_support.h"
#include "image_stream_support.h"
#include "ruvk.h"
#include "ruvv_attr.h"

namespace imgtest {

// ---- writing ----

// Collects what is written; with a limit, a write that would pass it
// fails: fail_mode 0 answers -1, 1 writes what fits and answers that
// short count.
struct Sink {
    std::string data;
    size_t limit = (size_t)-1;
    int fail_mode = 0;
};

inline int32_t sink_write(RUV_IOSTR *s, int32_t count, const void *buffer)
{
    auto *sink = static_cast<Sink *>(s->source);
    size_t room = sink->limit - sink->data.size();
    if ((size_t)count <= room) {
        sink->data.append(static_cast<const char *>(buffer), (size_t)count);
        return count;
    }
    if (sink->fail_mode == 0)
        return -1;
    sink->data.append(static_cast<const char *>(buffer), room);
    return (int32_t)room;
}

// Writes an image as BMP into a sink; the writer's answer.
inline RUV_BOOL write_bmp(RUV_IMAGE *image, Sink &sink)
{
    RUV_IOSTR *s = ruvv_iostr_create_write(&sink, sink_write);
    RUV_BOOL ok = ruvv_image_write_winbmp(image, s);
    ruvv_iostr_destroy(s);
    return ok;
}

// ---- files in the build tree ----

inline std::string temp_path(const std::string &name)
{
    return std::string(TRAZ_TEST_BINARY_DIR) + "/ruv_image_" + name;
}

inline std::string write_file(const std::string &name, const std::string &bytes)
{
    std::string path = temp_path(name);
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), (std::streamsize)bytes.size());
    return path;
}

inline std::string read_file(const std::string &path)
{
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

// ---- the debug output ----

// Makes the debug file exist in the start-up directory (it is written only
// when it exists) and reads what was written to it.  The start-up directory
// is the test's own working directory, so test programs run in parallel
// never share a debug file.
class DebugFile {
public:
    DebugFile()
    {
        dir_ = std::filesystem::current_path().string();
#ifdef RUV_TESTS_ON_KERNEL
        ruvk_fsys_set_dir_startup();   // the kernel takes the current one
#else
        standin::set_startup_dir(dir_.c_str());
#endif
        name_ = "ruv_image_debug.txt";
        write_file_at(path(), "");
        ruvv_debug_set_file(name_.c_str());
    }
    std::string path() const { return dir_ + "/" + name_; }
    std::string text() const { return read_file(path()); }

private:
    static void write_file_at(const std::string &path, const std::string &bytes)
    {
        std::ofstream f(path, std::ios::binary | std::ios::trunc);
        f.write(bytes.data(), (std::streamsize)bytes.size());
    }
    std::string dir_;
    std::string name_;
};

// ---- the fixture ----

// The colour class of the screen (toolkit attribute 105) that the stand-in
// answers: 5 is a screen without a palette, where XPM colours use "c".  On
// the Windows kernel the screen answers for itself (a test that scripts
// other classes stays native).
#ifndef RUV_TESTS_ON_KERNEL
inline void set_color_class(intptr_t value) { standin::set_system_value(105, 105, value); }
#endif

class ImageTest : public coretest::CoreTest {
protected:
    void SetUp() override
    {
        coretest::CoreTest::SetUp();
        ruvv_attr_init(nullptr);
#ifdef RUV_TESTS_ON_KERNEL
        ASSERT_EQ(ruvk_vobj_get_attr(NULL_WIN, 105), 5);
#else
        set_color_class(5);
#endif
    }
    // Pixel of an image as 0xRRGGBB.
    static RUV_COLOR rgb(const RUV_IMAGE *image, int x, int y) { return ruvv_image_get_pixel(image, x, y) & 0xFFFFFF; }
};

} // namespace imgtest

#endif
