// The command map: dispatch, update, ranges, and the one-handler-per-id rule.
#include <gtest/gtest.h>

#include "command/CmdTarget.h"
#include "command/CommandIds.h"

namespace {

TEST(CommandMap, RunsAndUpdatesEntriesAndRanges) {
    CCommandMap map;
    int ran = 0, rangeId = 0;
    map.On(vx::cmd::kZoomIn, [&] { ++ran; }, [](CCmdUI& ui) { ui.Enable(false); ui.SetCheck(); });
    map.On(vx::cmd::kZoomOut, [&] { ran += 10; });
    map.OnRange(vx::cmd::kFileMru1, vx::cmd::kFileMru1 + vx::cmd::kFileMruCount - 1,
                [&](int id) { rangeId = id; }, [](int id, CCmdUI& ui) { ui.Enable(id == vx::cmd::kFileMru1); });

    EXPECT_TRUE(map.Dispatch(vx::cmd::kZoomIn, nullptr));
    EXPECT_TRUE(map.Dispatch(vx::cmd::kZoomOut, nullptr));
    EXPECT_EQ(ran, 11);
    EXPECT_TRUE(map.Dispatch(vx::cmd::kFileMru1 + 2, nullptr));
    EXPECT_EQ(rangeId, vx::cmd::kFileMru1 + 2);
    EXPECT_FALSE(map.Dispatch(vx::cmd::kFileMru1 + vx::cmd::kFileMruCount, nullptr));
    EXPECT_FALSE(map.Has(vx::cmd::kFileSave));

    CCmdUI zoomIn(vx::cmd::kZoomIn);
    EXPECT_TRUE(map.Dispatch(vx::cmd::kZoomIn, &zoomIn));
    EXPECT_FALSE(zoomIn.enabled);
    EXPECT_TRUE(zoomIn.checked);
    // No update handler: handled means enabled.
    CCmdUI zoomOut(vx::cmd::kZoomOut);
    EXPECT_TRUE(map.Dispatch(vx::cmd::kZoomOut, &zoomOut));
    EXPECT_TRUE(zoomOut.enabled);
    CCmdUI second(vx::cmd::kFileMru1 + 1);
    EXPECT_TRUE(map.Dispatch(second.m_nID, &second));
    EXPECT_FALSE(second.enabled);
}

#ifndef NDEBUG
TEST(CommandMapDeathTest, SecondHandlerForAnIdIsAnError) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            CCommandMap map;
            map.On(vx::cmd::kFileSave, [] {});
            map.On(vx::cmd::kFileSave, [] {});
        },
        "registered twice");
    EXPECT_DEATH(
        {
            CCommandMap map;
            map.On(vx::cmd::kFileMru1 + 1, [] {});
            map.OnRange(vx::cmd::kFileMru1, vx::cmd::kFileMru1 + 3, [](int) {});
        },
        "overlaps");
}
#endif

// A target's routing hook sees its own map.
TEST(CommandMap, TargetDispatchesThroughItsMap) {
    struct Target : CCmdTarget {
        Target() { commands_.On(vx::tool::kSelect, [this] { selected = true; }); }
        bool selected = false;
    } target;
    EXPECT_TRUE(target.OnCmdMsg(vx::tool::kSelect, nullptr));
    EXPECT_TRUE(target.selected);
    EXPECT_FALSE(target.OnCmdMsg(vx::tool::kLine, nullptr));
}

}  // namespace
