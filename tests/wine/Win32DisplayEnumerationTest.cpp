#include "DisplayTest.h"
#include "DummyDisplay.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>

namespace tvm::test {
namespace {

DEVMODEA NativeOf(const DisplayMode& mode) {
    DEVMODEA devMode;
    std::memcpy(&devMode, mode.Native.data(), sizeof devMode);
    return devMode;
}

class EnumerationTest : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(EnumerationTest, ListsEverySizeOfTheDisplayAtItsRates) {
    Win32MessageLoop loop;
    Win32Display display(loop);
    const auto rates = RatesBySize(EnumerateAll(display), GetParam());

    std::map<ModeSize, std::set<std::uint32_t>> expected;
    for (const DummySize& size : DummySizes()) {
        expected[{size.Width, size.Height}] = {size.Rates.begin(), size.Rates.end()};
    }
    EXPECT_EQ(rates, expected);
}

TEST_P(EnumerationTest, TopRateFallsAsTheSizeGrows) {
    Win32MessageLoop loop;
    Win32Display display(loop);
    const auto rates = RatesBySize(EnumerateAll(display), GetParam());
    ASSERT_GE(rates.size(), 2u);

    std::vector<std::pair<std::uint64_t, std::uint32_t>> topByArea;
    for (const auto& [size, sizeRates] : rates) {
        EXPECT_GE(sizeRates.size(), 3u) << size.first << "x" << size.second;
        topByArea.emplace_back(std::uint64_t{size.first} * size.second, *sizeRates.rbegin());
    }
    std::sort(topByArea.begin(), topByArea.end());
    for (std::size_t i = 1; i < topByArea.size(); ++i) {
        EXPECT_LT(topByArea[i].second, topByArea[i - 1].second);
    }
}

std::string DepthName(const ::testing::TestParamInfo<std::uint32_t>& param) {
    return std::to_string(param.param) + "Bits";
}

INSTANTIATE_TEST_SUITE_P(Depths, EnumerationTest, ::testing::Values(32u, 16u), DepthName);

TEST(Win32DisplayEnumeration, NamedFieldsMirrorTheRecord) {
    Win32MessageLoop loop;
    Win32Display display(loop);
    const auto modes = EnumerateAll(display);
    ASSERT_FALSE(modes.empty());
    for (const DisplayMode& mode : modes) {
        const DEVMODEA native = NativeOf(mode);
        EXPECT_EQ(mode.BitsPerPel, native.dmBitsPerPel);
        EXPECT_EQ(mode.PelsWidth, native.dmPelsWidth);
        EXPECT_EQ(mode.PelsHeight, native.dmPelsHeight);
        EXPECT_EQ(mode.DisplayFrequency, native.dmDisplayFrequency);
        EXPECT_EQ(native.dmDriverExtra, 0u);
    }
}

// The record handed in is the buffer of the call: only its size and driver-extra
// count are set first, so whatever the driver does not fill keeps what it held.
TEST(Win32DisplayEnumeration, WritesOnlySizeAndDriverExtraBeforeTheCall) {
    Win32MessageLoop loop;
    Win32Display display(loop);
    DisplayMode mode;
    std::memset(mode.Native.data(), 0xAB, mode.Native.size());

    ASSERT_TRUE(display.EnumerateMode(0, mode));

    const DEVMODEA native = NativeOf(mode);
    // Wine fills neither the ICM members nor the form name of a display mode.
    EXPECT_EQ(native.dmICMMethod, 0xABABABABu);
    EXPECT_EQ(native.dmFormName[0], 0xAB);
    EXPECT_EQ(native.dmDriverExtra, 0u);
    EXPECT_NE(native.dmPelsWidth, 0xABABABABu);
    // Nothing past the record is touched either.
    for (std::size_t i = sizeof(DEVMODEA); i < mode.Native.size(); ++i) {
        ASSERT_EQ(mode.Native[i], std::byte{0xAB}) << "byte " << i;
    }
}

TEST(Win32DisplayEnumeration, EndOfTheListLeavesTheRecordAlone) {
    Win32MessageLoop loop;
    Win32Display display(loop);
    const auto count = static_cast<std::uint32_t>(EnumerateAll(display).size());
    ASSERT_GT(count, 0u);

    DisplayMode mode;
    mode.PelsWidth = 123;
    mode.Native[0] = std::byte{7};
    EXPECT_FALSE(display.EnumerateMode(count, mode));
    EXPECT_FALSE(display.EnumerateMode(count + 1000, mode));
    EXPECT_EQ(mode.PelsWidth, 123u);
    EXPECT_EQ(mode.Native[0], std::byte{7});
}

class Win32DisplayCurrent : public DisplayTest {};

TEST_F(Win32DisplayCurrent, ReadsTheModeTheXServerShows) {
    Win32MessageLoop loop;
    Win32Display display(loop);
    EXPECT_EQ(display.CurrentDepth(), 32u);
    const auto x = XMode();
    if (!x) {
        GTEST_SKIP() << "no X server to compare with";
    }
    EXPECT_EQ(display.CurrentWidth(), x->Width);
    EXPECT_EQ(display.CurrentHeight(), x->Height);
    EXPECT_EQ(display.CurrentRefresh(), RoundRate(x->Rate));
}

TEST_F(Win32DisplayCurrent, CurrentSettingsComeThroughEnumerateMode) {
    Win32MessageLoop loop;
    Win32Display display(loop);
    DisplayMode current;
    ASSERT_TRUE(display.EnumerateMode(ENUM_CURRENT_SETTINGS, current));
    EXPECT_EQ(current.PelsWidth, display.CurrentWidth());
    EXPECT_EQ(current.PelsHeight, display.CurrentHeight());
    EXPECT_EQ(current.DisplayFrequency, display.CurrentRefresh());
}

} // namespace
} // namespace tvm::test
