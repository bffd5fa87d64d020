// Per-module static blocks resolved by ruvv_static_init: constructor,
// storage with its initialiser, and the chain of descriptors to terminate.

#include <gtest/gtest.h>

#include "../static_blocks.h"
#include "ruvv_static.h"

namespace {

struct Block {
    int value;
};

int inits = 0;
void init_block(void *p)
{
    ++inits;
    static_cast<Block *>(p)->value = 42;
}
void term_block(void *) {}

Block constructed{ 7 };
void *construct_block() { return &constructed; }

TEST(StaticBlocks, ConstructorResultIsTheBlock)
{
    RUV_STATIC_DESC d = { nullptr, nullptr, init_block, term_block, construct_block, nullptr, sizeof(Block) };
    inits = 0;
    EXPECT_EQ(ruvv_static_init(&d), &constructed);
    EXPECT_EQ(d.resolved, &constructed);
    EXPECT_EQ(inits, 0);  // the constructor's block is not initialised again
    for (RUV_STATIC_DESC *c = ruvv_static_term_chain(); c; c = c->next)
        EXPECT_NE(c, &d);
}

TEST(StaticBlocks, StorageIsInitialisedAndQueuedForTerminationOnce)
{
    Block storage{ 0 };
    RUV_STATIC_DESC a = { nullptr, nullptr, init_block, term_block, nullptr, &storage, sizeof(Block) };
    RUV_STATIC_DESC b = { nullptr, nullptr, nullptr, term_block, nullptr, nullptr, sizeof(Block) };
    RUV_STATIC_DESC c = { nullptr, nullptr, init_block, nullptr, nullptr, nullptr, sizeof(Block) };
    inits = 0;
    EXPECT_EQ(ruvv_static_init(&a), &storage);
    EXPECT_EQ(storage.value, 42);
    EXPECT_EQ(ruvv_static_init(&b), nullptr);  // no storage: nothing to initialise
    EXPECT_EQ(ruvv_static_init(&c), nullptr);
    EXPECT_EQ(inits, 1);
    ruvv_static_init(&a);  // a second resolution does not queue it again

    std::vector<RUV_STATIC_DESC *> chain;
    for (RUV_STATIC_DESC *d = ruvv_static_term_chain(); d; d = d->next)
        chain.push_back(d);
    // a and b were appended at the tail in that order; c has no term callback.
    ASSERT_GE(chain.size(), 2u);
    EXPECT_EQ(chain[chain.size() - 2], &a);
    EXPECT_EQ(chain.back(), &b);
}

} // namespace
