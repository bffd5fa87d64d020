// ruvrc: the resource compiler's command line.
//
//   ruvrc [--header FILE] [--rc FILE] [--stream FILE] [--depfile FILE]
//         [--depfile-target FILE] [--chunk-size N] [--first-chunk N]
//         description...
//
// All descriptions of one program go into one stream.  --rc writes the
// windres fragment and, beside it, the index resource (<rc>.index) and the
// chunks (<rc>.chunkNNNN) it names.  Files are rewritten only when their
// contents change, so a build does not relink for nothing; a build that
// marks its run with a stamp file names the stamp as the depfile's target
// (--depfile-target), else the first output written is.
#include "ruvrc.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

bool write_if_changed(const std::string &path, const std::string &data)
{
    std::ifstream in(path, std::ios::binary);
    if (in) {
        std::ostringstream ss;
        ss << in.rdbuf();
        if (ss.str() == data)
            return true;
    }
    in.close();
    // Write a neighbour first and rename it, so a failed write never leaves
    // a truncated output behind.
    std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
        if (!out)
            return false;
    }
    std::remove(path.c_str());
    return std::rename(tmp.c_str(), path.c_str()) == 0;
}

std::string guard_for(const std::string &path)
{
    std::string base = path.substr(path.find_last_of("/\\") + 1);
    std::string g = "RUVRC_";
    for (char c : base)
        g += isalnum(static_cast<unsigned char>(c)) ? static_cast<char>(toupper(static_cast<unsigned char>(c))) : '_';
    return g;
}

bool parse_int(const char *s, int &out)
{
    char *end = nullptr;
    long v = strtol(s, &end, 0);
    if (!*s || *end || v < -2147483647L || v > 2147483647L)
        return false;
    out = static_cast<int>(v);
    return true;
}

int usage()
{
    std::cerr << "usage: ruvrc [--header FILE] [--rc FILE] [--stream FILE] [--depfile FILE]\n"
                 "             [--depfile-target FILE] [--chunk-size N] [--first-chunk N] description...\n";
    return 2;
}

std::string make_escape(const std::string &p)
{
    std::string o;
    for (char c : p) {
        if (c == ' ' || c == '#')
            o += '\\';
        if (c == '$')
            o += '$';
        o += c;
    }
    return o;
}

} // namespace

int main(int argc, char **argv)
{
    std::string header, rc, stream_path, depfile, depfile_target;
    ruvrc::ChunkLayout layout;
    std::vector<std::string> inputs;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string &dst) {
            if (i + 1 >= argc)
                return false;
            dst = argv[++i];
            return true;
        };
        if (a == "--header") {
            if (!value(header))
                return usage();
        } else if (a == "--rc") {
            if (!value(rc))
                return usage();
        } else if (a == "--stream") {
            if (!value(stream_path))
                return usage();
        } else if (a == "--depfile") {
            if (!value(depfile))
                return usage();
        } else if (a == "--depfile-target") {
            if (!value(depfile_target))
                return usage();
        } else if (a == "--chunk-size" || a == "--first-chunk") {
            std::string v;
            if (!value(v) || !parse_int(v.c_str(), a == "--chunk-size" ? layout.chunk_size : layout.first_chunk))
                return usage();
        } else if (!a.empty() && a[0] == '-') {
            return usage();
        } else {
            inputs.push_back(a);
        }
    }
    if (inputs.empty())
        return usage();

    ruvrc::Description desc;
    std::string error;
    for (const std::string &in : inputs) {
        if (!ruvrc::parse_file(in, desc, error)) {
            std::cerr << error << "\n";
            return 1;
        }
    }
    std::vector<uint8_t> stream;
    if (!ruvrc::finish(desc, error) || !ruvrc::write_stream(desc, stream, error) ||
        !ruvrc::check_layout(stream.size(), layout, error)) {
        std::cerr << "ruvrc: " << error << "\n";
        return 1;
    }
    const std::string bytes(stream.begin(), stream.end());

    bool ok = true;
    if (!header.empty())
        ok = write_if_changed(header, ruvrc::make_header(desc, guard_for(header))) && ok;
    if (!stream_path.empty())
        ok = write_if_changed(stream_path, bytes) && ok;
    if (!rc.empty()) {
        std::string index_path = rc + ".index";
        std::string index = ruvrc::make_index_text(stream.size(), layout);
        index.push_back('\0');
        ok = write_if_changed(index_path, index) && ok;
        std::vector<std::string> chunks;
        size_t n = ruvrc::chunk_count(stream.size(), layout);
        for (size_t k = 0; k < n; ++k) {
            char suffix[32];
            snprintf(suffix, sizeof suffix, ".chunk%04u", static_cast<unsigned>(k));
            std::string path = rc + suffix;
            size_t at = k * static_cast<size_t>(layout.chunk_size);
            ok = write_if_changed(path, bytes.substr(at, static_cast<size_t>(layout.chunk_size))) && ok;
            chunks.push_back(path);
        }
        ok = write_if_changed(rc, ruvrc::make_rc(index_path, chunks, layout)) && ok;
    }
    if (!depfile.empty()) {
        std::string target = !depfile_target.empty() ? depfile_target
                             : !rc.empty()             ? rc
                             : !header.empty()         ? header
                                                       : stream_path;
        std::string d = make_escape(target) + ":";
        for (const std::string &p : desc.inputs)
            d += " \\\n  " + make_escape(p);
        d += "\n";
        ok = write_if_changed(depfile, d) && ok;
    }
    if (!ok) {
        std::cerr << "ruvrc: cannot write an output file\n";
        return 1;
    }
    return 0;
}
