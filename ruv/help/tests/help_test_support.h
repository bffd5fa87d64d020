// Test support of the help library's platform-neutral parts: a scratch
// directory with files, environment variables set for one test, and the
// error reports of the toolkit recorded.
#ifndef HELP_TEST_SUPPORT_H
#define HELP_TEST_SUPPORT_H

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include "help_private.h"
#include "ruvv_errmsg.h"
#include "ruvv_mem.h"

namespace helptest {

namespace fs = std::filesystem;

inline unsigned long process_id()
{
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<unsigned long>(getpid());
#endif
}

// A fresh directory under the system's temporary directory, removed at
// the end.
class TempDir {
public:
    explicit TempDir(const std::string &name)
    {
        static int serial = 0;
        path_ = fs::temp_directory_path() /
                ("ruvh_" + name + "_" + std::to_string(process_id()) + "_" + std::to_string(++serial));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string str() const { return path_.string(); }
    fs::path sub(const std::string &name) const
    {
        fs::path p = path_ / name;
        fs::create_directories(p);
        return p;
    }
    std::string file(const std::string &name, const std::string &text = "") const
    {
        fs::path p = path_ / name;
        std::ofstream out(p, std::ios::binary);
        out << text;
        return p.string();
    }

private:
    fs::path path_;
};

inline void set_env(const char *name, const char *value)
{
#ifdef _WIN32
    std::string s = std::string(name) + "=" + (value ? value : "");
    _putenv(s.c_str());
#else
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
#endif
}

// Sets a variable for the life of the object, then gives back the old value.
class EnvVar {
public:
    EnvVar(const char *name, const char *value) : name_(name)
    {
        const char *old = std::getenv(name);
        had_ = old != nullptr;
        if (old)
            old_ = old;
        set_env(name, value);
    }
    ~EnvVar() { set_env(name_.c_str(), had_ ? old_.c_str() : nullptr); }

private:
    std::string name_;
    std::string old_;
    bool had_ = false;
};

struct Report {
    int32_t severity;
    RUV_ERRMSG_ID id;
};

inline std::vector<Report> &reports()
{
    static std::vector<Report> r;
    return r;
}

inline RUV_BOOL capture(RUV_ERRMSG *m, void *)
{
    reports().push_back({ ruvv_errmsg_get_sev_id(m), ruvv_errmsg_get_msg_id(m) });
    return 1;
}

// Records the reports of each test.
class HelpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reports().clear();
        ruvv_errmsg_set_ready();
        ruvv_errmsg_push_handler(capture, nullptr);
    }
    void TearDown() override { ruvv_errmsg_pop_handler(capture); }
    static std::vector<RUV_ERRMSG_ID> ids()
    {
        std::vector<RUV_ERRMSG_ID> v;
        for (const Report &r : reports())
            v.push_back(r.id);
        return v;
    }
};

// A help record as open makes it, without a file.
struct Record {
    RUV_HELP_INFO info{};
    Record()
    {
        info.self = &info;
        info.handle = &info;
        help_make_assoc_list(&info);
    }
    ~Record()
    {
        help_free_associations(&info);
        ruvv_mem_free(info.entries);
    }
    RUV_HELP_INFO *get() { return &info; }
};

} // namespace helptest

#endif
