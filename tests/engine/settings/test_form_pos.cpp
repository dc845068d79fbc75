#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/settings/form_pos.h"
#include "support/memory_key_value_store.h"

namespace quorrix::engine {

void PrintTo(const TwipsRect& r, std::ostream* out)
{
    *out << "{" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "}";
}

namespace {

using test::MemoryKeyValueStore;

constexpr const char* kProgramKey = "SOFTWARE\\Velmora\\QUORRIX";
constexpr const char* kPositionsKey = "SOFTWARE\\Velmora\\QUORRIX\\Form Positions";
const TwipsRect kPrimary { 0, 0, 28800, 16200 };
const TwipsRect kRightScreen { 28800, 0, 19200, 10800 };

class FakeWindow : public PositionedWindow {
public:
    std::string name() const override { return "frmMain"; }
    std::int32_t left() const override { return rect.left; }
    std::int32_t top() const override { return rect.top; }
    std::int32_t width() const override { return rect.width; }
    std::int32_t height() const override { return rect.height; }
    int state() const override { return currentState; }
    void setState(int s) override
    {
        currentState = s;
        stateSet = s;
    }
    void move(std::int32_t l, std::int32_t t, std::int32_t w, std::int32_t h) override
    {
        rect = { l, t, w, h };
        moved = rect;
    }
    std::vector<TwipsRect> screens() const override { return screenList; }

    TwipsRect rect { 1000, 1000, 6000, 4000 };
    int currentState = kNormal;
    std::vector<TwipsRect> screenList { kPrimary, kRightScreen };
    std::optional<TwipsRect> moved;
    std::optional<int> stateSet;
};

class FormPosTest : public ::testing::Test {
protected:
    void SetUp() override { bindToProgramKey(pos, window, kProgramKey); }
    void store(const StoredValue& value)
    {
        registry.write(StoreRoot::CurrentUser, kPositionsKey, "frmMain", value);
    }

    MemoryKeyValueStore registry;
    FakeWindow window;
    CFormPos pos { registry, "QUORRIX" };
};

TEST_F(FormPosTest, RestoresWhatTheStoredTextSays)
{
    // Applied when a position or a state comes back.
    using Row = std::tuple<const char*, bool, std::optional<TwipsRect>, std::optional<int>>;
    using R = TwipsRect;
    const Row rows[] = {
        { "", false, {}, {} },
        { "L=120;T=300;W=9000;H=7000;S=0;", false, R { 120, 300, 9000, 7000 }, {} },
        { "L=120;T=300;W=9000;H=7000;S=2;", false, {}, 2 },
        { "S=1;", false, {}, 1 },
        // Missing size tags keep the window's own size.
        { "L=500;", false, R { 500, 0, 6000, 4000 }, {} },
        { "L=200;T=100;W=0;H=-3;S=0;", false, R { 200, 100, 6000, 4000 }, {} },
        // Numbers as a plain decimal reader takes them, rounded half to even.
        { "L=2.5;T=3.5;W=8000.5;H=7000.51;S=0;", false, R { 2, 4, 8000, 7001 }, {} },
        { "T=+7;L=1e3;W=.5e4;H=5E3xyz;", false, R { 1000, 7, 5000, 5000 }, {} },
        { "L=abc;T= 12;W=-;H=1,5;", false, R { 0, 12, 6000, 1 }, {} },
        { "L=1e-400;T=8;", false, R { 0, 8, 6000, 4000 }, {} },
        { "S=2.5;", false, {}, 2 },
        // Beyond 32 bits the value is unusable as a whole.
        { "L=99999999999;T=0;W=100;H=100;S=0;", false, {}, {} },
        { "L=2147483647.5;", false, {}, {} },
        { "S=3e9;", false, {}, {} },
        // A position on the second screen stays, so does one whose title bar is mostly on a
        // screen; one whose title bar cannot be taken comes back onto the screen it is on.
        { "L=30000;T=100;W=9000;H=7000;S=0;", false, R { 30000, 100, 9000, 7000 }, {} },
        { "L=-100;T=-100;W=9000;H=7000;S=0;", false, R { -100, -100, 9000, 7000 }, {} },
        { "L=1000;T=-2000;W=9000;H=7000;S=0;", false, R { 1000, 0, 9000, 7000 }, {} },
        { "L=-8500;T=100;W=9000;H=7000;S=0;", false, R { 0, 100, 9000, 7000 }, {} },
        { "L=30000;T=10700;W=9000;H=7000;S=0;", false, R { 30000, 3800, 9000, 7000 }, {} },
        { "L=-50000;T=-50000;W=9000;H=7000;S=0;", false, R { 0, 0, 9000, 7000 }, {} },
        { "L=90000;T=20000;W=9000;H=7000;S=0;", false, R { 19800, 9200, 9000, 7000 }, {} },
        { "L=0;T=20000;W=40000;H=30000;S=0;", false, R { 0, 0, 40000, 30000 }, {} },
        // Keep on screen works on the primary screen.
        { "L=28800;T=16200;W=9000;H=7000;S=0;", true, R { 19800, 9200, 9000, 7000 }, {} },
        { "L=-100;T=-5;W=9000;H=7000;S=0;", true, R { 0, 0, 9000, 7000 }, {} },
        { "L=25000;T=100;W=9000;H=7000;S=0;", true, R { 25000, 100, 9000, 7000 }, {} },
    };
    for (const auto& [stored, keepOnScreen, moved, state] : rows) {
        SCOPED_TRACE(stored);
        window = FakeWindow {};
        store(StoredValue::text(stored));
        EXPECT_EQ(pos.RestoreForm(keepOnScreen), moved || state);
        EXPECT_EQ(window.moved, moved);
        EXPECT_EQ(window.stateSet, state);
    }
}

TEST_F(FormPosTest, NothingUsableStoredLeavesWindowToBeCentred)
{
    EXPECT_FALSE(restoreOrCenter(pos));
    EXPECT_EQ(window.moved, (TwipsRect { 11400, 6100, 6000, 4000 }));

    store(StoredValue::dword(7));
    window.moved.reset();
    EXPECT_FALSE(pos.RestoreForm());
    EXPECT_FALSE(window.moved);

    store(StoredValue::text("L=1;T=2;W=3000;H=2000;S=0;"));
    registry.failOn("frmMain");
    EXPECT_FALSE(restoreOrCenter(pos));
    EXPECT_EQ(pos.lastError(), "Error: 5. Access is denied.");
    EXPECT_EQ(window.moved, (TwipsRect { 11400, 6100, 6000, 4000 }));
}

TEST_F(FormPosTest, SavesExactTextReadsItBackAndKeepsItWhenAWriteFails)
{
    window.rect = { -120, 300, 9000, 7000 };
    ASSERT_TRUE(pos.SaveForm());
    EXPECT_EQ(registry.read(StoreRoot::CurrentUser, kPositionsKey, "frmMain"),
        StoredValue::text("L=-120;T=300;W=9000;H=7000;S=0;"));

    FakeWindow reopened;
    CFormPos other(registry, "QUORRIX");
    bindToProgramKey(other, reopened, kProgramKey);
    EXPECT_TRUE(restoreOrCenter(other));
    EXPECT_EQ(reopened.moved, (TwipsRect { -120, 300, 9000, 7000 }));

    // A failed write keeps the previous value.
    registry.failOn("frmMain");
    window.rect = { 1, 2, 3, 4 };
    EXPECT_FALSE(pos.SaveForm());
    EXPECT_EQ(pos.lastError(), "Error: 5. Access is denied.");
    EXPECT_EQ(registry.listValues(StoreRoot::CurrentUser, kPositionsKey),
        (std::vector<NamedValue> {
            { "frmMain", StoredValue::text("L=-120;T=300;W=9000;H=7000;S=0;") } }));
}

} // namespace
} // namespace quorrix::engine
