#include "shell/LinkTarget.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "shell/FakeWindow.h"
#include "shell/LinkLabelState.h"
#include "support/TempDir.h"

namespace tavrin::shell {
namespace {

using testing::FakeOpener;

TEST(LinkTargetTest, FallbackCommandIsCutBeforeThePlaceholder) {
    // The registered command, then the command run for the target "T".
    for (const std::vector<std::string>& c :
         tavrin::testing::ReadCases("link/fallback-commands.txt")) {
        EXPECT_EQ(BuildFallbackCommand(c.at(0), "T"), c.at(1)) << c.at(0);
    }
    // No buffer limits the command, whatever its length.
    std::string longCommand(2000, 'b');
    std::string target(1000, 't');
    EXPECT_EQ(BuildFallbackCommand(longCommand + " %1", target), longCommand + "  " + target);
}

TEST(LinkTargetTest, OpensWithTheHandlerFirstAndFallsBackToTheBrowser) {
    FakeOpener opener;
    EXPECT_EQ(OpenTarget(opener, "https://www.tavrin.example/"), 33);
    EXPECT_EQ(opener.opened, std::vector<std::string>{"https://www.tavrin.example/"});
    EXPECT_EQ(opener.registryQueries, 0);
    EXPECT_TRUE(opener.commands.empty());

    // A mail link the handler cannot open goes to the browser as its argument, and the
    // browser's result is what counts.
    opener.handlerResult = 31;
    opener.registered = "\"C:\\Web\\web.exe\" -osint -url \"%1\"";
    opener.commandResult = 2;
    EXPECT_EQ(OpenTarget(opener, "mailto:a@b.example"), 2);
    EXPECT_EQ(opener.commands,
              std::vector<std::string>{"\"C:\\Web\\web.exe\" -osint -url  mailto:a@b.example"});

    // A registration that names no program before the placeholder would start the target
    // itself: the handler's result explains the failure instead.
    for (std::optional<std::string> registered :
         {std::optional<std::string>(), std::optional<std::string>("  \"%1\""),
          std::optional<std::string>("")}) {
        opener = FakeOpener();
        opener.handlerResult = 0;
        opener.registered = registered;
        EXPECT_EQ(OpenTarget(opener, "x"), 0);
        EXPECT_TRUE(opener.commands.empty()) << registered.value_or("(none)");
    }
}

TEST(LinkTargetTest, ExplainsTheResultCode) {
    // Spot checks of the exact texts: a line break inside, and a trailing blank.
    EXPECT_EQ(OpenErrorReason(0), "The operating system is out\nof memory or resources.");
    EXPECT_EQ(OpenErrorReason(26), "A sharing violation occurred. ");
    for (int code : {1, 33, -2147483647 - 1}) {
        EXPECT_EQ(OpenErrorReason(code), "Unknown Error (" + std::to_string(code) + ") occurred.");
    }
    EXPECT_EQ(OpenErrorMessage(29), "Unable to open hyperlink:\n\nThe DDE transaction failed.");
}

TEST(LinkLabelStateTest, TakesItsTextAsTargetOrShowsItsTarget) {
    CLinkLabelState preset(0);
    preset.SetTarget("mailto:a@b.example");
    EXPECT_EQ(preset.Attach(""), "mailto:a@b.example");
    EXPECT_EQ(preset.Attach("a@b.example"), "a@b.example");
    EXPECT_EQ(preset.Target(), "mailto:a@b.example");
}

TEST(LinkLabelStateTest, ColoursFollowThePointerAndTheLastOpen) {
    using Change = CLinkLabelState::PointerChange;
    const ColorRef hover = 0x00D77800;
    CLinkLabelState label(hover);
    label.Attach("https://www.tavrin.example/");
    EXPECT_EQ(label.TextColor(), kLinkNormalColor);

    // The first move enters even when it reports a point outside; only leaving needs one.
    EXPECT_EQ(label.OnMouseMove(false), Change::Entered);
    EXPECT_EQ(label.TextColor(), hover);
    EXPECT_EQ(label.OnMouseMove(true), Change::None);

    FakeOpener opener;
    EXPECT_EQ(label.OnLinkClicked(opener), 33);
    EXPECT_TRUE(label.WasOpened());
    EXPECT_EQ(label.TextColor(), hover);  // hovering wins over opened
    EXPECT_EQ(label.OnMouseMove(false), Change::Left);
    EXPECT_EQ(label.TextColor(), kLinkOpenedColor);

    // A failed open makes an opened link unopened again.
    opener.handlerResult = 5;
    EXPECT_EQ(label.OnLinkClicked(opener), 5);
    EXPECT_FALSE(label.WasOpened());
    EXPECT_EQ(label.TextColor(), kLinkNormalColor);
}

// A 100 x 21 control at (10, 20); the text is 61 x 14. Halves truncate toward zero, so an
// odd difference leaves one unit on one side, and a text larger than the control grows a
// centred label by the same amount on both sides.
TEST(LinkLabelStateTest, FitsTheRectangleToTheText) {
    const LabelRect control{10, 20, 110, 41};
    EXPECT_EQ(FitRectToText(control, 61, 14, LabelAlignment::Left, false),
              (LabelRect{10, 20, 71, 34}));
    EXPECT_EQ(FitRectToText(control, 61, 14, LabelAlignment::Right, false),
              (LabelRect{49, 20, 110, 34}));
    EXPECT_EQ(FitRectToText(control, 61, 14, LabelAlignment::Center, true),
              (LabelRect{29, 23, 91, 38}));
    EXPECT_EQ(FitRectToText({10, 20, 30, 30}, 25, 15, LabelAlignment::Center, true),
              (LabelRect{8, 18, 32, 32}));
}

}  // namespace
}  // namespace tavrin::shell
