/* The named-colour table shared by the colour module and its tests. */
#ifndef COLOR_NAMES_H
#define COLOR_NAMES_H

#include <cstdint>

namespace ruv_color {

struct NamedColor {
    const char *name;
    uint8_t red, green, blue;
};

constexpr int NAMED_COLOR_COUNT = 447;
extern const NamedColor NAMED_COLORS[NAMED_COLOR_COUNT];

} // namespace ruv_color

#endif
