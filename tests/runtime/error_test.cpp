#include <gtest/gtest.h>

#include <new>
#include <vector>

#include "runtime/error.h"

namespace {

void Fail(int number) { rt::Raise(number, "test"); }

TEST(Procedure, StopModeEndsAtFirstFailureSilently) {
    std::vector<int> ran;
    bool completed = rt::Procedure::run(rt::OnError::Stop, [&](rt::Procedure& p) {
        p.step([&] { ran.push_back(1); });
        p.step([&] { Fail(rt::errTypeMismatch); });
        p.step([&] { ran.push_back(3); });
    });
    EXPECT_FALSE(completed);
    EXPECT_EQ(ran, (std::vector<int>{1}));
    EXPECT_EQ(rt::Err().Number, rt::errTypeMismatch);
    EXPECT_EQ(rt::Err().Description, "Type mismatch");
}

TEST(Procedure, SkipModeAbandonsOnlyTheFailingStep) {
    std::vector<int> ran;
    bool completed = rt::Procedure::run(rt::OnError::Stop, [&](rt::Procedure& p) {
        p.switchTo(rt::OnError::Skip);
        EXPECT_FALSE(p.step([&] {
            ran.push_back(1);
            Fail(rt::errOverflow);
            ran.push_back(99);
        }));
        EXPECT_TRUE(p.step([&] { ran.push_back(2); }));
        p.step([] { throw std::bad_alloc(); });
        EXPECT_EQ(rt::Err().Number, rt::errOutOfMemory);
        p.step([&] { ran.push_back(3); });
    });
    EXPECT_TRUE(completed);
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
}

TEST(Procedure, FailingConditionCountsAsMetWhenSkipping) {
    rt::Procedure p(rt::OnError::Skip);
    EXPECT_TRUE(p.test([]() -> bool { Fail(rt::errTypeMismatch); return false; }));
    EXPECT_FALSE(p.test([] { return false; }));
    EXPECT_TRUE(p.test([] { return true; }));
}

TEST(Procedure, SwitchingBackToStopEndsTheProcedureAgain) {
    int after = 0;
    bool completed = rt::Procedure::run(rt::OnError::Skip, [&](rt::Procedure& p) {
        p.step([] { Fail(rt::errOverflow); });
        p.switchTo(rt::OnError::Stop);
        p.step([] { Fail(rt::errFileNotFound); });
        ++after;
    });
    EXPECT_FALSE(completed);
    EXPECT_EQ(after, 0);
    EXPECT_EQ(rt::Err().Number, rt::errFileNotFound);
}

TEST(RuntimeError, CarriesNumberSourceAndDescription) {
    try {
        rt::Raise(rt::errInvalidPropertyValue, "ucSlider");
        FAIL();
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 380);
        EXPECT_EQ(e.Source(), "ucSlider");
        EXPECT_EQ(e.Description(), "Invalid property value");
    }
    try {
        rt::Raise(75, "", "custom text");
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.Description(), "custom text");
    }
}

}  // namespace
