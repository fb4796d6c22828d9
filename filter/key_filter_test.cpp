// The hook library's decisions: which events reach the window instead of the system, and the message and
// lParam the window receives for them.
#include "filter/key_filter.h"

#include <gtest/gtest.h>

#include <string>

#include "base/forwarded_keys.h"

namespace {

constexpr uint32_t kPass = 0;  // the event goes on to the system: no message

constexpr ModifierKeys kNoModifier = {false, false};
constexpr ModifierKeys kAltHeld = {true, false};
constexpr ModifierKeys kCtrlHeld = {false, true};
constexpr ModifierKeys kCtrlAltHeld = {true, true};

constexpr uint32_t kExtended = kKeyExtended;
constexpr uint32_t kUp = kKeyReleased;

// Checks a decision against a row's expectation: passed on, or forwarded as `message` with `lParam`.
void ExpectFiltered(const FilteredKey& filtered, uint32_t virtualKey, uint32_t message, uint32_t lParam) {
    EXPECT_EQ(filtered.forward, message != kPass);
    if (message != kPass) {
        EXPECT_EQ(filtered.message, message);
        EXPECT_EQ(filtered.wParam, virtualKey);
        EXPECT_EQ(filtered.lParam, lParam) << std::hex << filtered.lParam;
    }
}

// Every row starts from a filter that has seen no key.
template <typename Row>
class RowTest : public testing::TestWithParam<Row> {
  protected:
    void SetUp() override { ResetKeyFilter(); }
};

template <typename Row>
std::string RowName(const testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

struct KeyRow {
    const char* name;
    uint32_t virtualKey;
    uint32_t scanCode;
    uint32_t flags;
    ModifierKeys modifiers;  // as the system reports them
    bool wasHeld;            // the same key went down through the filter before, with the same modifiers
    uint32_t message;        // kPass, or the message the window receives
    uint32_t lParam;
};

const KeyRow kKeyRows[] = {
    {"LeftWindowsDown", 0x5B, 0x5B, kExtended, kNoModifier, false, kKeyDownMessage, 0x015B0001},
    {"LeftWindowsRepeat", 0x5B, 0x5B, kExtended, kNoModifier, true, kKeyDownMessage, 0x415B0001},
    {"LeftWindowsUp", 0x5B, 0x5B, kExtended | kUp, kNoModifier, true, kKeyUpMessage, 0xC15B0001},
    {"LeftWindowsUpUnseenPress", 0x5B, 0x5B, kExtended | kUp, kNoModifier, false, kKeyUpMessage, 0xC15B0001},
    {"RightWindowsDown", 0x5C, 0x5C, kExtended, kNoModifier, false, kKeyDownMessage, 0x015C0001},
    {"AppsDown", 0x5D, 0x5D, kExtended, kNoModifier, false, kKeyDownMessage, 0x015D0001},
    {"AppsUp", 0x5D, 0x5D, kExtended | kUp, kNoModifier, true, kKeyUpMessage, 0xC15D0001},
    {"WindowsWithAlt", 0x5B, 0x5B, kExtended, kAltHeld, false, kSysKeyDownMessage, 0x215B0001},
    {"InjectedWindowsKey", 0x5B, 0x5B, kExtended | kKeyInjected, kNoModifier, false, kKeyDownMessage,
     0x015B0001},
    {"PrintScreenDown", 0x2C, 0x37, kExtended, kNoModifier, false, kKeyDownMessage, 0x01370001},
    {"PrintScreenUp", 0x2C, 0x37, kExtended | kUp, kNoModifier, true, kKeyUpMessage, 0xC1370001},
    {"AltPrintScreenIsSysRq", 0x2C, 0x54, 0, kAltHeld, false, kSysKeyDownMessage, 0x20540001},
    {"CtrlPrintScreen", 0x2C, 0x37, kExtended, kCtrlHeld, false, kKeyDownMessage, 0x01370001},
    {"AltTabDown", 0x09, 0x0F, 0, kAltHeld, false, kSysKeyDownMessage, 0x200F0001},
    {"AltTabRepeat", 0x09, 0x0F, 0, kAltHeld, true, kSysKeyDownMessage, 0x600F0001},
    {"AltTabUp", 0x09, 0x0F, kUp, kAltHeld, true, kSysKeyUpMessage, 0xE00F0001},
    {"AltEscDown", 0x1B, 0x01, 0, kAltHeld, false, kSysKeyDownMessage, 0x20010001},
    {"AltEscUp", 0x1B, 0x01, kUp, kAltHeld, true, kSysKeyUpMessage, 0xE0010001},
    {"CtrlEscDown", 0x1B, 0x01, 0, kCtrlHeld, false, kKeyDownMessage, 0x00010001},
    {"CtrlEscUp", 0x1B, 0x01, kUp, kCtrlHeld, true, kKeyUpMessage, 0xC0010001},
    {"CtrlAltEscIsNoSystemMessage", 0x1B, 0x01, 0, kCtrlAltHeld, false, kKeyDownMessage, 0x20010001},
    {"CtrlAltEscUp", 0x1B, 0x01, kUp, kCtrlAltHeld, true, kKeyUpMessage, 0xE0010001},
    {"AltSpaceDown", 0x20, 0x39, 0, kAltHeld, false, kSysKeyDownMessage, 0x20390001},
    {"AltSpaceUp", 0x20, 0x39, kUp, kAltHeld, true, kSysKeyUpMessage, 0xE0390001},
    {"TabAlone", 0x09, 0x0F, 0, kNoModifier, false, kPass, 0},
    {"CtrlTab", 0x09, 0x0F, 0, kCtrlHeld, false, kPass, 0},
    {"EscapeAlone", 0x1B, 0x01, 0, kNoModifier, false, kPass, 0},
    {"SpaceAlone", 0x20, 0x39, 0, kNoModifier, false, kPass, 0},
    {"CtrlSpace", 0x20, 0x39, 0, kCtrlHeld, false, kPass, 0},
    {"AltLetter", 'A', 0x1E, 0, kAltHeld, false, kPass, 0},
    {"AltF4", 0x73, 0x3E, 0, kAltHeld, false, kPass, 0},
    {"LeftAltItself", 0xA4, 0x38, 0, kNoModifier, false, kPass, 0},
    {"F10", 0x79, 0x44, 0, kNoModifier, false, kPass, 0},
    {"AltTabUpUnseenPress", 0x09, 0x0F, kUp, kAltHeld, false, kPass, 0},
    {"LedTestCapsLock", 0x14, 0xFF, kExtended | kKeyInjected, kNoModifier, false, kPass, 0},
    {"LedTestCapsLockUp", 0x14, 0xFF, kExtended | kKeyInjected | kUp, kNoModifier, false, kPass, 0},
    {"WindowsKeyWithLedScan", 0x5B, 0xFF, kExtended, kNoModifier, false, kPass, 0},
    {"AltTabWithLedScan", 0x09, 0xFF, 0, kAltHeld, false, kPass, 0},
    {"OperatorsCapsLock", 0x14, 0x3A, 0, kNoModifier, false, kPass, 0},
};

using KeyFilterRows = RowTest<KeyRow>;

TEST_P(KeyFilterRows, DecidesAndBuildsTheSystemsMessage) {
    const KeyRow& row = GetParam();
    if (row.wasHeld) {
        FilterKeyEvent({row.virtualKey, row.scanCode, row.flags & ~kUp}, row.modifiers);
    }
    ExpectFiltered(FilterKeyEvent({row.virtualKey, row.scanCode, row.flags}, row.modifiers), row.virtualKey,
                   row.message, row.lParam);
}

INSTANTIATE_TEST_SUITE_P(Events, KeyFilterRows, testing::ValuesIn(kKeyRows), RowName<KeyRow>);

// The filter tells Alt and Ctrl from their own events when the system does not report them.
struct ModifierRow {
    const char* name;
    uint32_t modifierKey;
    uint32_t modifierScan;
    uint32_t modifierFlags;
    uint32_t key;
    uint32_t keyScan;
    uint32_t message;
    uint32_t lParam;
};

const ModifierRow kModifierRows[] = {
    {"AltTab", 0x12, 0x38, 0, 0x09, 0x0F, kSysKeyDownMessage, 0x200F0001},
    {"LeftAltTab", 0xA4, 0x38, 0, 0x09, 0x0F, kSysKeyDownMessage, 0x200F0001},
    {"RightAltSpace", 0xA5, 0x38, kExtended, 0x20, 0x39, kSysKeyDownMessage, 0x20390001},
    {"CtrlEsc", 0x11, 0x1D, 0, 0x1B, 0x01, kKeyDownMessage, 0x00010001},
    {"LeftCtrlEsc", 0xA2, 0x1D, 0, 0x1B, 0x01, kKeyDownMessage, 0x00010001},
    {"RightCtrlEsc", 0xA3, 0x1D, kExtended, 0x1B, 0x01, kKeyDownMessage, 0x00010001},
};

using ModifierRows = RowTest<ModifierRow>;

TEST_P(ModifierRows, HeldModifierMakesACombination) {
    const ModifierRow& row = GetParam();
    EXPECT_FALSE(FilterKeyEvent({row.modifierKey, row.modifierScan, row.modifierFlags}, kNoModifier).forward);
    ExpectFiltered(FilterKeyEvent({row.key, row.keyScan, 0}, kNoModifier), row.key, row.message, row.lParam);
    EXPECT_TRUE(FilterKeyEvent({row.key, row.keyScan, kUp}, kNoModifier).forward);
    EXPECT_FALSE(
        FilterKeyEvent({row.modifierKey, row.modifierScan, row.modifierFlags | kUp}, kNoModifier).forward);
    EXPECT_FALSE(FilterKeyEvent({row.key, row.keyScan, 0}, kNoModifier).forward);
}

INSTANTIATE_TEST_SUITE_P(Modifiers, ModifierRows, testing::ValuesIn(kModifierRows), RowName<ModifierRow>);

// Two events in a row: what the second one gives depends on what the filter did with the first.
struct SeenEvent {
    HookedKey key;
    ModifierKeys modifiers;
};

struct PairRow {
    const char* name;
    SeenEvent first;
    SeenEvent second;
    uint32_t message;  // for the second event
    uint32_t lParam;
};

const PairRow kPairRows[] = {
    {"ReleaseFollowsItsPressAfterAltIsLetGo",
     {{0x09, 0x0F, 0}, kAltHeld},
     {{0x09, 0x0F, kUp}, kNoModifier},
     kKeyUpMessage,
     0xC00F0001},
    {"ReleaseOfAPressTheSystemHadStaysThere",
     {{0x1B, 0x01, 0}, kNoModifier},
     {{0x1B, 0x01, kUp}, kCtrlHeld},
     kPass,
     0},
    {"HeldKeyRepeatingUnderAltIsARepeat",
     {{0x09, 0x0F, 0}, kNoModifier},
     {{0x09, 0x0F, 0}, kAltHeld},
     kSysKeyDownMessage,
     0x600F0001},
    {"ForwardedKeyRepeatsAfterCtrlIsLetGo",
     {{0x1B, 0x01, 0}, kCtrlHeld},
     {{0x1B, 0x01, 0}, kNoModifier},
     kKeyDownMessage,
     0x40010001},
    {"LedScanPressLeavesTheKeyUnheld",
     {{0x5B, 0xFF, kExtended}, kNoModifier},
     {{0x5B, 0x5B, kExtended}, kNoModifier},
     kKeyDownMessage,
     0x015B0001},
    {"LedScanAltLeavesAltUnheld", {{0xA4, 0xFF, 0}, kNoModifier}, {{0x09, 0x0F, 0}, kNoModifier}, kPass, 0},
};

using PairRows = RowTest<PairRow>;

TEST_P(PairRows, SecondEventFollowsTheFirst) {
    const PairRow& row = GetParam();
    FilterKeyEvent(row.first.key, row.first.modifiers);
    ExpectFiltered(FilterKeyEvent(row.second.key, row.second.modifiers), row.second.key.virtualKey,
                   row.message, row.lParam);
}

INSTANTIATE_TEST_SUITE_P(Sequences, PairRows, testing::ValuesIn(kPairRows), RowName<PairRow>);

class KeyFilterReset : public testing::Test {
  protected:
    void SetUp() override { ResetKeyFilter(); }
};

TEST_F(KeyFilterReset, ForgetsHeldKeys) {
    FilterKeyEvent({0x5B, 0x5B, kExtended}, kNoModifier);
    FilterKeyEvent({0xA4, 0x38, 0}, kNoModifier);
    ResetKeyFilter();
    EXPECT_EQ(FilterKeyEvent({0x5B, 0x5B, kExtended}, kNoModifier).lParam, 0x015B0001u);
    EXPECT_FALSE(FilterKeyEvent({0x09, 0x0F, 0}, kNoModifier).forward);
}

// The event times of forwarded keys come back in the order the keys were posted, each once, also for a key
// repeated with the same message; a message the library did not post has none; when more keys wait than
// there are slots, the oldest give way; forgotten notes are gone.
TEST(ForwardedKeyTimes, TakenBackInTheOrderPosted) {
    ForwardedKeys keys;
    NoteForwardedKey(keys, 0x100, 0x5B, 0x015B0001, 1000);
    NoteForwardedKey(keys, 0x100, 0x5B, 0x015B0001, 1003);
    NoteForwardedKey(keys, 0x101, 0x5B, 0xC15B0001, 1005);
    uint32_t time = 0;
    EXPECT_FALSE(TakeForwardedKey(keys, 0x100, 0x41, 0x001E0001, time));
    ASSERT_TRUE(TakeForwardedKey(keys, 0x100, 0x5B, 0x015B0001, time));
    EXPECT_EQ(time, 1000u);
    ASSERT_TRUE(TakeForwardedKey(keys, 0x101, 0x5B, 0xC15B0001, time));
    EXPECT_EQ(time, 1005u);
    ASSERT_TRUE(TakeForwardedKey(keys, 0x100, 0x5B, 0x015B0001, time));
    EXPECT_EQ(time, 1003u);
    EXPECT_FALSE(TakeForwardedKey(keys, 0x100, 0x5B, 0x015B0001, time));

    for (uint32_t i = 0; i < kForwardedKeySlots + 2; ++i) {
        NoteForwardedKey(keys, 0x100, 0x5B, 0x015B0001, 2000 + i);
    }
    ASSERT_TRUE(TakeForwardedKey(keys, 0x100, 0x5B, 0x015B0001, time));
    EXPECT_EQ(time, 2002u);
    ForgetForwardedKeys(keys);
    EXPECT_FALSE(TakeForwardedKey(keys, 0x100, 0x5B, 0x015B0001, time));
}

}  // namespace
