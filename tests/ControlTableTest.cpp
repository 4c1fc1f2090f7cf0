#include "window/ControlTable.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace {

std::vector<std::string_view> names(const auto& order)
{
    std::vector<std::string_view> listed;
    for (const ControlRow* row : order)
        listed.push_back(row->name);
    return listed;
}

using Names = std::vector<std::string_view>;

TEST(ControlTable, Form1sFocusAndCreationFollowTabIndexWithEachLabelBeforeItsField)
{
    EXPECT_EQ(names(focusOrder(kForm1Controls)), (Names{"Command1", "Text1", "Text2", "Command3"}));
    EXPECT_EQ(names(creationOrder(kForm1Controls)),
              (Names{"Picture1", "Command1", "Label1", "Text1", "Label2", "Text2", "Command3"}));
}

TEST(ControlTable, Form1sControlsLieOnWholePixelsAt96Dpi)
{
    const PixelPlacement expected[] = {{16, 8, 577, 417}, {640, 8, 73, 25},  {680, 40, 41, 25}, {608, 48, 73, 17},
                                       {680, 72, 41, 25}, {608, 80, 73, 17}, {632, 184, 81, 25}};
    for (std::size_t i = 0; i < kForm1Controls.size(); ++i) {
        const PixelPlacement place = toPixels(kForm1Controls[i].twips);
        EXPECT_EQ(place.left, expected[i].left) << kForm1Controls[i].name;
        EXPECT_EQ(place.top, expected[i].top) << kForm1Controls[i].name;
        EXPECT_EQ(place.width, expected[i].width) << kForm1Controls[i].name;
        EXPECT_EQ(place.height, expected[i].height) << kForm1Controls[i].name;
    }
    EXPECT_EQ(twipsToPixels(kForm1InnerWidthTwips), 799);
    EXPECT_EQ(twipsToPixels(kForm1InnerHeightTwips), 460);
}

// The orders come from TabIndex, not from where a row stands in the table, so that both
// shells move the focus alike whatever order the rows are written in.
constexpr std::array<ControlRow, 5> kShuffled{{
    {"Command3", ControlKind::CommandButton, "", {}, 4},
    {"Label1", ControlKind::Label, "", {}, 1, "Text1"},
    {"Text1", ControlKind::TextBox, "", {}, 3},
    {"Picture1", ControlKind::PictureBox, "", {}, 2},
    {"Command1", ControlKind::CommandButton, "", {}, 0},
}};

TEST(ControlTable, OrdersFollowTabIndexWhereverTheRowsStand)
{
    EXPECT_EQ(names(focusOrder(kShuffled)), (Names{"Command1", "Text1", "Command3"}));
    EXPECT_EQ(names(creationOrder(kShuffled)), (Names{"Command1", "Picture1", "Label1", "Text1", "Command3"}));
}

} // namespace
