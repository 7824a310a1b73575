#include "shortcut/PTKeyCombo.h"
#include "shortcut/HotKeyModifiers.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {
constexpr int keyN = 57;
constexpr int keyF1 = 67;
constexpr int keypad1 = 87;
constexpr int controlSuper = HotKeyModifiers::CONTROL | HotKeyModifiers::COMMAND;
} // namespace

TEST(PTKeyComboTest, StoredFormReadsBackAndOutOfRangeValuesReadAsNone) {
    const PTKeyCombo combo(keyN, controlSuper);
    EXPECT_EQ(PTKeyCombo::fromPlistRepresentation(combo.plistRepresentation()), combo);

    const PTKeyCombo negative = PTKeyCombo::fromPlistRepresentation(
        QVariantMap{{QStringLiteral("keyCode"), -5}, {QStringLiteral("modifiers"), 0}});
    EXPECT_TRUE(negative.isClearCombo());
    EXPECT_TRUE(PTKeyCombo::fromPlistRepresentation(QVariantMap()).isClearCombo());
    EXPECT_TRUE(PTKeyCombo::fromPlistRepresentation(QVariant()).isClearCombo());

    const PTKeyCombo withoutModifiers = PTKeyCombo::fromPlistRepresentation(
        QVariantMap{{QStringLiteral("keyCode"), keyN}, {QStringLiteral("modifiers"), -3}});
    EXPECT_EQ(withoutModifiers, PTKeyCombo(keyN, -1));
    EXPECT_FALSE(withoutModifiers.isValidHotKeyCombo());
}

TEST(PTKeyComboTest, DescriptionNamesModifiersAndKeyAsLinuxDesktopsDo) {
    EXPECT_EQ(PTKeyCombo(keyN, controlSuper).description(), QStringLiteral("Ctrl+Super+N"));
    EXPECT_EQ(PTKeyCombo(keyF1, HotKeyModifiers::SHIFT | HotKeyModifiers::OPTION).description(),
              QStringLiteral("Alt+Shift+F1"));
    EXPECT_EQ(PTKeyCombo(keypad1, HotKeyModifiers::CONTROL).description(), QStringLiteral("Ctrl+Keypad 1"));

    EXPECT_EQ(PTKeyCombo(keyN, -1).description(), QStringLiteral("(None)"));
    EXPECT_EQ(PTKeyCombo::clearKeyCombo().description(), QStringLiteral("(None)"));
    EXPECT_EQ(PTKeyCombo::clearKeyCombo().keyCodeString(), QString());
}

TEST(PTKeyComboTest, ModifierFlagsConvertBetweenDesktopAndHotKeyEncodings) {
    const unsigned int commandControl = HotKeyModifiers::DESKTOP_COMMAND | HotKeyModifiers::DESKTOP_CONTROL;
    EXPECT_EQ(PTKeyCombo(keyN, HotKeyModifiers::fromDesktopFlags(commandControl)).modifierMask(),
              commandControl);
    // Bits outside the table (here the caps-lock and a device bit) are dropped.
    EXPECT_EQ(HotKeyModifiers::fromDesktopFlags(HotKeyModifiers::DESKTOP_COMMAND |
                                                HotKeyModifiers::DESKTOP_OPTION | 0x10000 | 0x1),
              0x900);
    EXPECT_EQ(PTKeyCombo::clearKeyCombo().modifierMask(), 0u);
}
