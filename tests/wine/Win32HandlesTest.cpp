#include "platform/win32/Win32Handles.h"

#include <gtest/gtest.h>

#include <utility>

namespace tvm::test {
namespace {

// Wine answers GetGuiResources with 0 for every count, so a leak cannot be counted
// there; the owners are checked on the objects themselves instead.
HBRUSH Brush() {
    return CreateSolidBrush(RGB(1, 2, 3));
}
bool Alive(HGDIOBJ object) {
    return GetObjectType(object) != 0;
}

TEST(Win32HandlesTest, AnObjectHasOneOwnerAndGoesWithIt) {
    GdiObject<HBRUSH> first(Brush());
    const HBRUSH brush = first.get();
    GdiObject<HBRUSH> second(std::move(first));
    EXPECT_EQ(first.get(), nullptr);
    EXPECT_EQ(second.get(), brush);

    GdiObject<HBRUSH> other(Brush());
    const HBRUSH replaced = other.get();
    other = std::move(second);
    EXPECT_FALSE(Alive(replaced)) << "the object moved over is deleted";
    EXPECT_TRUE(Alive(brush));

    const HBRUSH given = other.release();
    other.reset(Brush());
    EXPECT_TRUE(Alive(given)) << "a released object is the caller's";
    const HBRUSH last = other.get();
    other.reset();
    EXPECT_FALSE(Alive(last));
    DeleteObject(given);
}

TEST(Win32HandlesTest, ASelectionLastsItsScopeAndTheObjectCanGoAfterIt) {
    const WindowDc screen(nullptr);
    ASSERT_TRUE(screen);
    const MemoryDc dc(CreateCompatibleDC(screen.get()));
    ASSERT_TRUE(dc);
    const HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_BRUSH);
    HBRUSH brush = nullptr;
    {
        const GdiObject<HBRUSH> owned(Brush());
        brush = owned.get();
        const ScopedSelect selected(dc.get(), brush);
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), brush);
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), before);
    EXPECT_FALSE(Alive(brush)) << "deselected first, so deleted";
}

} // namespace
} // namespace tvm::test
