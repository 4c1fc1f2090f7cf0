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
