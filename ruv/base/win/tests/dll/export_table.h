// What a library exports and what its definition file lists: the names of
// a loaded module's export table, and the names after EXPORTS in a .def
// file (';' starts a comment line).
#ifndef EXPORT_TABLE_H
#define EXPORT_TABLE_H

#include <windows.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace exports {

inline std::set<std::string> def_names(const char *def_file)
{
    std::ifstream in(def_file);
    std::set<std::string> names;
    std::string line;
    bool listing = false;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string w;
        if (!(words >> w) || w[0] == ';')
            continue;
        if (w == "EXPORTS")
            listing = true;
        else if (listing)
            names.insert(w);
    }
    return names;
}

// Empty for a module that is not loaded.
inline std::set<std::string> exported_names(const char *module)
{
    std::set<std::string> names;
    HMODULE dll = GetModuleHandleA(module);
    if (!dll)
        return names;
    auto *base = reinterpret_cast<const unsigned char *>(dll);
    auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto *exp = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY *>(base + dir.VirtualAddress);
    auto *name_rvas = reinterpret_cast<const DWORD *>(base + exp->AddressOfNames);
    for (DWORD i = 0; i < exp->NumberOfNames; ++i)
        names.insert(reinterpret_cast<const char *>(base + name_rvas[i]));
    return names;
}

} // namespace exports

#endif
