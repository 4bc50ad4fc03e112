// An exhausted heap reaches the out-of-memory routine with the byte count
// that was asked for, and the operation that asked never returns.
#include "runtime/heap.h"
#include "runtime/text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace adsl {
namespace {

// Stands in for the fatal error: says what it received and ends the
// process with a code that only this routine uses.
[[noreturn]] void record_refusal(std::size_t bytes)
{
    std::fprintf(stderr, "refused %zu bytes\n", bytes);
    std::fflush(stderr);
    std::_Exit(42);
}

// Makes the heap refuse after `granted` requests, then runs `operation`,
// which must end in the routine.
template <typename Operation>
void run_refused(long granted, Operation operation)
{
    set_out_of_memory_routine(record_refusal);
    heap_refuse_after(granted);
    operation();
    heap_refuse_after(-1);
    std::fprintf(stderr, "the operation returned\n");
    std::_Exit(0);
}

class HeapRefusal : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(HeapRefusal, JoinReportsTheBlockSize)
{
    const std::string piece(1023, 'x');
    EXPECT_EXIT(run_refused(0, [&] { (void)join({piece}); }), ::testing::ExitedWithCode(42),
                "refused 1024 bytes")
        << "join of 1023 bytes asks for 1024";
}

TEST_F(HeapRefusal, ToTextReportsTheBlockSize)
{
    EXPECT_EXIT(run_refused(0, [] { (void)to_text("\""); }), ::testing::ExitedWithCode(42),
                "refused 2 bytes")
        << "a one-character copy asks for 2 bytes";
}

TEST_F(HeapRefusal, SplitEndsInTheRoutineWhereverTheHeapRefuses)
{
    // Five members and the array's own block, grown once on the way.
    for (long granted = 0; granted < 7; ++granted) {
        EXPECT_EXIT(run_refused(granted, [] { (void)split("a b c d e", " "); }),
                    ::testing::ExitedWithCode(42), "refused .* bytes")
            << "refusal after " << granted << " granted requests";
    }
}

TEST(Heap, CountsBlocksUntilTheyAreGivenBack)
{
    const long before = heap_block_count();
    {
        HeapBlock block(heap_take(16));
        EXPECT_NE(block.get(), nullptr) << "heap_take(16)";
        EXPECT_EQ(heap_block_count(), before + 1) << "after taking one block";
        block.resize(4096);
        EXPECT_EQ(heap_block_count(), before + 1) << "resizing keeps one block";
        HeapBlock moved = std::move(block);
        EXPECT_EQ(block.get(), nullptr) << "moved-from block"; // NOLINT(bugprone-use-after-move)
    }
    EXPECT_EQ(heap_block_count(), before) << "after the owner went away";
}

TEST(Heap, ZeroBytesStillGiveABlock)
{
    HeapBlock block(heap_take(0));
    EXPECT_NE(block.get(), nullptr) << "heap_take(0)";
}

} // namespace
} // namespace adsl
