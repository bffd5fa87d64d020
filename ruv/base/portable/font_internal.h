/* Shared by the font mapping (font_map.cpp) and the font cache
   (font_cache.cpp): the per-process cache block, which also holds the
   font-map table. */
#ifndef FONT_INTERNAL_H
#define FONT_INTERNAL_H

#include "ruvv_font.h"

namespace ruv_font {

struct CacheBlock {
    RUV_FONT **slots;   /* capacity fonts owned by the cache */
    int32_t *uses;
    int32_t last;       /* -1 = none */
    int32_t current;    /* -1 = none */
    int32_t used;
    int32_t capacity;
    RUV_FONT **table;   /* font-map table, NULL-terminated */
    int16_t table_loaded;
};

CacheBlock *cache_block();

} // namespace ruv_font

#endif
