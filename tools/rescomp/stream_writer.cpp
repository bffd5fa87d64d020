// Writer of the compiled resource stream: header, directory sorted by
// (type, id), then each resource's data, all integers big-endian.
#include "ruvrc.h"

#include <algorithm>
#include <limits>

namespace ruvrc {
namespace {

class Out {
public:
    explicit Out(std::vector<uint8_t> &b) : b_(b) {}
    void u8(uint8_t v) { b_.push_back(v); }
    void i16(int16_t v)
    {
        uint16_t u = static_cast<uint16_t>(v);
        u8(static_cast<uint8_t>(u >> 8));
        u8(static_cast<uint8_t>(u));
    }
    void i32(uint32_t v)
    {
        u8(static_cast<uint8_t>(v >> 24));
        u8(static_cast<uint8_t>(v >> 16));
        u8(static_cast<uint8_t>(v >> 8));
        u8(static_cast<uint8_t>(v));
    }
    void bytes(const std::string &s) { b_.insert(b_.end(), s.begin(), s.end()); }
    void str(const std::string &s)
    {
        i16(static_cast<int16_t>(s.size()));
        bytes(s);
    }
    void extras(const std::vector<ExtraData> &list)
    {
        i16(static_cast<int16_t>(list.size()));
        for (const ExtraData &e : list) {
            i16(e.tag);
            i16(static_cast<int16_t>(e.bytes.size()));
            bytes(e.bytes);
        }
    }
    void put32_at(size_t at, uint32_t v)
    {
        b_[at] = static_cast<uint8_t>(v >> 24);
        b_[at + 1] = static_cast<uint8_t>(v >> 16);
        b_[at + 2] = static_cast<uint8_t>(v >> 8);
        b_[at + 3] = static_cast<uint8_t>(v);
    }
    size_t size() const { return b_.size(); }

private:
    std::vector<uint8_t> &b_;
};

void write_menu_body(Out &o, const std::vector<MenuItem> &items)
{
    o.i16(static_cast<int16_t>(items.size()));
    for (const MenuItem &m : items) {
        o.i16(m.tag);
        o.i16(m.mnemonic);
        o.i16(m.flags);
        o.str(m.title);
        o.extras(m.extras);
        if (m.flags & 0x10)
            write_menu_body(o, m.submenu);
    }
}

void write_items(Out &o, const std::vector<WinItem> &items)
{
    o.i16(static_cast<int16_t>(items.size()));
    for (const WinItem &w : items) {
        o.i16(w.file_type);
        o.i16(w.id);
        o.i16(w.left);
        o.i16(w.top);
        o.i16(w.width);
        o.i16(w.height);
        o.i16(w.link);
        o.i32(w.flags);
        o.i16(w.unit);
        o.i16(w.font_id);
        o.str(w.title);
        o.extras(w.extras);
        if (w.file_type == 14) {
            // Text-edit extra: flags, margin, limit.
            o.i32(w.tx_flags);
            o.i16(w.tx_margin);
            o.i16(w.tx_limit);
        }
    }
}

void write_data(Out &o, const Resource &r)
{
    switch (r.type) {
    case RES_MENU:
        write_menu_body(o, r.menu);
        break;
    case RES_WINDOW:
    case RES_DIALOG:
        write_items(o, r.items);
        break;
    case RES_FONT:
        o.i16(r.font.size);
        o.i32(r.font.style);
        o.str(r.font.family);
        o.str(r.font.native_desc);
        break;
    case RES_IMAGE:
        o.i32(r.image.flags);
        o.str(r.image.file_name);
        o.extras(r.image.extras);
        if (r.image.flags & 1) {
            o.i32(0);
        } else {
            o.i32(static_cast<uint32_t>(r.image.data.size()));
            o.bytes(r.image.data);
        }
        break;
    default:
        o.bytes(r.raw);
        break;
    }
}

uint32_t key_of(const Resource &r)
{
    return (static_cast<uint32_t>(static_cast<uint16_t>(r.type)) << 16) | static_cast<uint16_t>(r.id);
}

} // namespace

bool write_stream(const Description &desc, std::vector<uint8_t> &out, std::string &error)
{
    std::vector<const Resource *> sorted;
    for (const Resource &r : desc.resources)
        sorted.push_back(&r);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Resource *a, const Resource *b) { return key_of(*a) < key_of(*b); });
    if (sorted.size() > 32767) {
        error = "more than 32767 resources";
        return false;
    }

    out.clear();
    Out o(out);
    o.i32(STREAM_MAGIC);
    o.i16(STREAM_VERSION);
    o.i16(static_cast<int16_t>(sorted.size()));
    o.i32(12); // the directory follows the header
    size_t dir_at = o.size();
    for (size_t i = 0; i < sorted.size(); ++i) {
        o.i16(sorted[i]->id);
        o.i16(sorted[i]->type);
        o.i32(0);
        o.i32(0);
    }
    for (size_t i = 0; i < sorted.size(); ++i) {
        size_t start = o.size();
        write_data(o, *sorted[i]);
        size_t len = o.size() - start;
        if (o.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
            error = "compiled stream larger than 2 GiB";
            return false;
        }
        o.put32_at(dir_at + i * 12 + 4, static_cast<uint32_t>(len));
        o.put32_at(dir_at + i * 12 + 8, static_cast<uint32_t>(start));
    }
    return true;
}

} // namespace ruvrc
