#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/platform/platform_error.h"
#include "engine/settings/app_settings_store.h"
#include "engine/settings/mru_menu.h"
#include "support/fakes.h"
#include "support/memory_key_value_store.h"

namespace quorrix::engine {
namespace {

using Texts = std::vector<std::string>;

constexpr const char* kApp = "QUORRIX";
constexpr const char* kSection = "DirFavorites";
constexpr const char* kSectionKey = "Software\\VB and VBA Program Settings\\QUORRIX\\DirFavorites";

class FakeMenu : public MenuControlArray {
public:
    struct Element {
        std::string caption;
        bool visible = true;
    };
    int highestIndex() const override { return static_cast<int>(elements.size()) - 1; }
    void load(int index) override
    {
        ASSERT_EQ(index, highestIndex() + 1);
        elements.push_back({});
    }
    void unload(int index) override
    {
        ASSERT_EQ(index, highestIndex());
        ASSERT_GT(index, 0);
        elements.pop_back();
    }
    void setCaption(int index, const std::string& caption) override
    {
        elements.at(static_cast<std::size_t>(index)).caption = caption;
    }
    void setVisible(int index, bool visible) override
    {
        elements.at(static_cast<std::size_t>(index)).visible = visible;
    }
    bool separatorVisible() const { return elements[0].visible; }
    Texts captions() const
    {
        Texts shown;
        for (std::size_t i = 1; i < elements.size(); ++i) {
            EXPECT_TRUE(elements[i].visible);
            shown.push_back(elements[i].caption);
        }
        return shown;
    }

    std::vector<Element> elements { Element {} };
};

// A store whose listing fails, as a registry without read access does.
class UnreadableStore : public test::MemoryKeyValueStore {
public:
    std::vector<NamedValue> listValues(StoreRoot, const std::string&) override
    {
        throw PlatformError(5, "Access is denied.");
    }
};

class MruMenuTest : public ::testing::Test {
protected:
    void SetUp() override { favorites.Init(menu, "", kSection); }
    void addSorted(const Texts& folders)
    {
        for (const std::string& folder : folders)
            addFavoriteSorted(favorites, folder, regional);
    }
    std::vector<NamedValue> stored()
    {
        return registry.listValues(StoreRoot::CurrentUser, kSectionKey);
    }

    test::MemoryKeyValueStore registry;
    test::RecordingMessageBox messages;
    test::FixedRegionalFormat regional;
    FakeMenu menu;
    clsMRUMenu favorites { registry, &messages };
};

TEST_F(MruMenuTest, AddPutsNewTextsOnTopAndKnownOnesFirst)
{
    EXPECT_EQ(menu.elements[0].caption, "-");
    EXPECT_FALSE(menu.separatorVisible());

    favorites.setMax(3);
    for (const char* text : { "a", "b", "c" })
        favorites.Add(text);
    EXPECT_EQ(favorites.entries(), (Texts { "c", "b", "a" }));
    favorites.Add("A"); // same key: the existing spelling moves up
    EXPECT_EQ(favorites.entries(), (Texts { "a", "c", "b" }));
    favorites.Add("d");
    EXPECT_EQ(favorites.entries(), (Texts { "d", "a", "c" }));
    EXPECT_EQ(menu.captions(), favorites.entries());
    EXPECT_TRUE(menu.separatorVisible());

    EXPECT_EQ(favorites.Item(1), "d");
    EXPECT_EQ(favorites.Item(0), "");
    EXPECT_EQ(favorites.Item(4), "");
    favorites.Remove(4);
    favorites.Remove(0);
    EXPECT_EQ(favorites.Count(), 3);
    favorites.Remove(2);
    EXPECT_EQ(menu.captions(), (Texts { "d", "c" }));

    EXPECT_THROW(favorites.setMax(0), std::invalid_argument);
    favorites.setMax(1);
    EXPECT_EQ(menu.captions(), (Texts { "d" }));
    favorites.Clear();
    EXPECT_EQ(menu.captions(), (Texts { "d" })); // the menu follows only on Refresh
    favorites.Refresh();
    EXPECT_EQ(menu.highestIndex(), 0);
    EXPECT_FALSE(menu.separatorVisible());
}

TEST_F(MruMenuTest, SortedAddKeepsAscendingOrderAndDeleteMatchesWithoutLetterCase)
{
    addSorted({ "C:\\b", "C:\\a", "c:\\B" });
    EXPECT_EQ(favorites.entries(), (Texts { "C:\\a", "C:\\b" }));
    EXPECT_EQ(menu.captions(), favorites.entries());

    favorites.Clear();
    Texts twenty;
    for (char c = 'b'; c < 'b' + 20; ++c)
        twenty.push_back(std::string("C:\\") + c);
    addSorted(twenty);
    ASSERT_EQ(favorites.entries(), twenty);

    addSorted({ "C:\\z" }); // sorts last: drops out at once
    EXPECT_EQ(favorites.entries(), twenty);

    addSorted({ "C:\\a" }); // sorts first: the previous last entry drops out
    Texts expected { "C:\\a" };
    expected.insert(expected.end(), twenty.begin(), twenty.end() - 1);
    EXPECT_EQ(favorites.entries(), expected);
    EXPECT_EQ(menu.captions(), expected);

    // Deleting removes only the folder that matches without letter case.
    deleteFavorite(favorites, "C:\\x");
    EXPECT_EQ(favorites.Count(), 20);
    deleteFavorite(favorites, "c:\\A");
    expected.erase(expected.begin());
    EXPECT_EQ(favorites.entries(), expected);
    EXPECT_EQ(menu.captions(), expected);
}

TEST_F(MruMenuTest, StoresAndReadsBackTheSectionAndShowsFailures)
{
    addSorted({ "C:\\a", "C:\\b", "C:\\c" });
    ASSERT_TRUE(favorites.StoreSettings(kApp, kSection));
    favorites.Remove(1);
    favorites.Remove(1);
    ASSERT_TRUE(favorites.StoreSettings(kApp, kSection)); // no leftovers of the longer list
    EXPECT_EQ(stored(),
        (std::vector<NamedValue> {
            { "Max", StoredValue::text("20") }, { "DirFavorites1", StoredValue::text("C:\\c") } }));

    favorites.Remove(1);
    ASSERT_TRUE(favorites.StoreSettings(kApp, kSection));
    EXPECT_EQ(stored(), (std::vector<NamedValue> { { "Max", StoredValue::text("20") } }));

    FakeMenu otherMenu;
    {
        clsMRUMenu reread(registry);
        reread.Init(otherMenu, kApp, kSection);
        EXPECT_EQ(reread.Count(), 0);
        EXPECT_EQ(reread.Max(), 20);
        reread.Add("C:\\x");
        reread.Add("C:\\y");
        EXPECT_EQ(otherMenu.highestIndex(), 2);
    }
    EXPECT_EQ(otherMenu.highestIndex(), 0); // run-time elements go with the object

    // Failures are shown and keep the list.
    addSorted({ "C:\\a", "C:\\b" });
    registry.failOn("DirFavorites2");
    EXPECT_FALSE(favorites.StoreSettings(kApp, kSection));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Error: 5. Access is denied.");
    EXPECT_EQ(messages.shown[0].title, "StoreSettings");
    UnreadableStore unreadable;
    clsMRUMenu other(unreadable, &messages);
    other.Add("C:\\kept");
    EXPECT_FALSE(other.ReadSettings(kApp, kSection));
    EXPECT_EQ(other.entries(), (Texts { "C:\\kept" }));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].title, "ReadSettings");
}

TEST_F(MruMenuTest, ReadsWhateverTheSectionHolds)
{
    using Row = std::tuple<const char*, std::vector<NamedValue>, std::int32_t, Texts>;
    const auto t = [](const char* text) { return StoredValue::text(text); };
    const std::vector<Row> rows = {
        { "missing section", {}, 7, {} },
        { "written by the program",
            { { "Max", t("5") }, { "DirFavorites1", t("C:\\b") }, { "DirFavorites2", t("C:\\a") } },
            5, { "C:\\b", "C:\\a" } },
        { "max anywhere, any case", { { "DirFavorites1", t("C:\\b") }, { "MAX", t(" 12 ") } }, 12,
            { "C:\\b" } },
        { "duplicates, empty and non-text values",
            { { "Max", t("20") }, { "a", t("C:\\a") }, { "b", t("") }, { "c", t("c:\\A") },
                { "d", StoredValue::dword(3) }, { "e", t("D:\\") } },
            20, { "C:\\a", "D:\\" } },
        { "listed by name, ordered by number",
            { { "DirFavorites10", t("C:\\j") }, { "DirFavorites2", t("C:\\b") }, { "Max", t("20") },
                { "DirFavorites1", t("C:\\a") } },
            20, { "C:\\a", "C:\\b", "C:\\j" } },
        { "unusable max", { { "Max", t("abc") }, { "x", t("C:\\a") } }, 7, { "C:\\a" } },
        { "max below one", { { "Max", t("0") } }, 7, {} },
        { "max with fraction", { { "Max", t("2.5") } }, 7, {} },
        { "max too large", { { "Max", t("99999999999") } }, 7, {} },
    };
    for (const auto& [title, values, max, entries] : rows) {
        SCOPED_TRACE(title);
        deleteSection(registry, kApp, kSection);
        for (const NamedValue& v : values)
            registry.write(StoreRoot::CurrentUser, kSectionKey, v.name, v.value);
        favorites.Add("stale");
        favorites.setMax(7);
        ASSERT_TRUE(favorites.ReadSettings(kApp, kSection));
        EXPECT_EQ(favorites.Max(), max);
        EXPECT_EQ(favorites.entries(), entries);
        EXPECT_EQ(menu.captions(), entries);
        EXPECT_EQ(menu.separatorVisible(), !entries.empty());
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MruMenuTest, ChoosingAnEntryChecksTheFolder)
{
    addSorted({ "C:\\gone", "C:\\here" });
    const auto exists = [](const std::string& folder) { return folder == "C:\\here"; };

    FavoriteChoice choice = chooseFavorite(favorites, 2, exists, messages, "Q92", "T2");
    EXPECT_EQ(choice.action, FavoriteChoice::Action::SwitchFolder);
    EXPECT_EQ(choice.folder, "C:\\here");
    EXPECT_TRUE(messages.shown.empty());

    choice = chooseFavorite(favorites, 3, exists, messages, "Q92", "T2");
    EXPECT_EQ(choice.action, FavoriteChoice::Action::Nothing);
    EXPECT_TRUE(messages.shown.empty());

    messages.answers = { MessageAnswer::No, MessageAnswer::Yes };
    choice = chooseFavorite(favorites, 1, exists, messages, "Q92", "T2");
    EXPECT_EQ(choice.action, FavoriteChoice::Action::Nothing);
    EXPECT_EQ(favorites.Count(), 2);
    choice = chooseFavorite(favorites, 1, exists, messages, "Q92", "T2");
    EXPECT_EQ(choice.action, FavoriteChoice::Action::Removed);
    EXPECT_EQ(choice.folder, "C:\\gone");
    EXPECT_EQ(menu.captions(), (Texts { "C:\\here" }));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "Q92");
    EXPECT_EQ(messages.shown[0].title, "T2");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
}

} // namespace
} // namespace quorrix::engine
