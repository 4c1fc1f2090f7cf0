#include "figure/DrawCommand.h"
#include "surface/RetainedImage.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

// GCC sees the replaced operator new and delete pair with malloc and free, which is what
// they are, and warns that they do not match.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

// Every allocation in this test program goes through here, so a drawing's can be counted.
namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace {

TEST(DrawCommand, AllocatesNothingWhileItDraws)
{
    RetainedImage image(577, 417);
    int presentations = 0;
    image.setPresenter([&](const RetainedImage&, const PixelRect&) { ++presentations; });
    MainWindowState state;

    const long before = allocations.load();
    RunDrawCommand(state, image);
    const long during = allocations.load() - before;

    EXPECT_EQ(presentations, 73);
    EXPECT_EQ(during, 0);

    // The count itself works: a vector allocates.
    std::vector<int> probe(8);
    EXPECT_GT(allocations.load() - before, 0);
}

} // namespace
