/* Kernel stand-in: raw-data resources (the chunks of the compiled resource
   stream) and string resources, from tables the tests fill; under Windows
   the executable's own resources serve the ids the tables do not hold. */
#include "standin_res.h"

#include "ruvk.h"
#include "ruvv_list.h"

#include <cstring>
#include <map>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

std::map<int32_t, std::string> &rcdata()
{
    static std::map<int32_t, std::string> m;
    return m;
}

std::map<int32_t, std::string> &strings()
{
    static std::map<int32_t, std::string> m;
    return m;
}

int g_loads = 0;

bool find_string(int32_t id, std::string &out)
{
    auto it = strings().find(id);
    if (it != strings().end()) {
        out = it->second;
        return true;
    }
#ifdef _WIN32
    char buf[1024];
    int n = LoadStringA(GetModuleHandleA(nullptr), (UINT)id, buf, sizeof buf);
    if (n > 0) {
        out.assign(buf, (size_t)n);
        return true;
    }
#endif
    return false;
}

} // namespace

namespace standin {

void set_rcdata(int32_t id, const std::string &bytes)
{
    rcdata()[id] = bytes;
}

void remove_rcdata(int32_t id)
{
    rcdata().erase(id);
}

void clear_resources()
{
    rcdata().clear();
    strings().clear();
    g_loads = 0;
}

void set_stream(const std::string &stream, int32_t first_chunk, int32_t chunk_size)
{
    std::string index = std::to_string(stream.size()) + " " + std::to_string(first_chunk) + " " +
                        std::to_string(chunk_size);
    index.push_back('\0');
    set_rcdata(10000, index);
    for (size_t at = 0, k = 0; at < stream.size(); at += (size_t)chunk_size, ++k)
        set_rcdata(first_chunk + (int32_t)k, stream.substr(at, (size_t)chunk_size));
}

int rcdata_loads()
{
    return g_loads;
}

void set_string(int32_t id, const std::string &text)
{
    strings()[id] = text;
}

} // namespace standin

extern "C" int32_t ruvk_res_load_rcdata(int32_t id, void *buffer, int32_t capacity)
{
    ++g_loads;
    auto it = rcdata().find(id);
    if (it != rcdata().end()) {
        int32_t size = (int32_t)it->second.size();
        int32_t n = size < capacity ? size : capacity;
        if (buffer && n > 0)
            memcpy(buffer, it->second.data(), (size_t)n);
        return size;
    }
#ifdef _WIN32
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!res)
        return -1;
    HGLOBAL handle = LoadResource(module, res);
    const void *data = handle ? LockResource(handle) : nullptr;
    if (!data)
        return -1;
    int32_t size = (int32_t)SizeofResource(module, res);
    int32_t n = size < capacity ? size : capacity;
    if (buffer && n > 0)
        memcpy(buffer, data, (size_t)n);
    return size;
#else
    return -1;
#endif
}

extern "C" char *ruvk_res_get_str(int32_t id, char *buf, int32_t len)
{
    std::string text;
    if (!buf || len <= 0 || !find_string(id, text))
        return nullptr;
    size_t n = text.size() < (size_t)len - 1 ? text.size() : (size_t)len - 1;
    memcpy(buf, text.data(), n);
    buf[n] = '\0';
    return buf;
}

extern "C" SLIST *ruvk_res_get_str_list(int32_t first, int32_t last)
{
    if (first > last) {
        int32_t t = first;
        first = last;
        last = t;
    }
    SLIST *list = ruvv_slist_create();
    if (!list)
        return nullptr;
    for (int32_t id = first; id <= last; ++id) {
        std::string text;
        if (!find_string(id, text) || !ruvv_slist_add_at_pos(list, 0x7FFFFFFF, text.c_str(), 0)) {
            ruvv_slist_destroy(list);
            return nullptr;
        }
    }
    return list;
}

extern "C" void ruvk_res_remove_all_res(void)
{
}
