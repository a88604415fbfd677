#include <gtest/gtest.h>

#include "platform/Automation.h"

using vx::Variant;

namespace {

class Counter : public vx::AutoObject {
public:
    int32_t value = 0;
    std::string name = "c";
    const vx::DispatchTable& GetDispatchTable() const override {
        static const vx::DispatchTable table(
            nullptr,
            {vx::DispProp<Counter>(
                 "Value", 1, Variant::Type::Long, [](Counter& c) { return Variant(c.value); },
                 [](Counter& c, const Variant& v) { c.value = v.ToLong(); }),
             vx::DispProp<Counter>("Name", 2, Variant::Type::String, [](Counter& c) { return Variant(c.name); }),
             vx::DispMethod<Counter>("Add", 3, Variant::Type::Long, 1, [](Counter& c, vx::DispArgs a) {
                 c.value += a[0].ToLong();
                 return Variant(c.value);
             })});
        return table;
    }
};

}  // namespace

TEST(Automation, MembersByNameIgnoringCaseAndById) {
    Counter c;
    c.SetProperty("vALUE", Variant(41));
    EXPECT_EQ(c.GetProperty(1).ToLong(), 41);
    const Variant args[] = {Variant(1)};
    EXPECT_EQ(c.Invoke("add", args).ToLong(), 42);
    EXPECT_EQ(c.GetProperty("Name").ToString(), "c");
}

TEST(Automation, ErrorsForUnknownReadOnlyAndMissingArguments) {
    Counter c;
    EXPECT_THROW(c.GetProperty("Nope"), vx::AutomationError);
    EXPECT_THROW(c.SetProperty("Name", Variant("x")), vx::AutomationError);
    EXPECT_THROW(c.Invoke("Add"), vx::AutomationError);
}

TEST(Automation, VariantConversions) {
    EXPECT_EQ(Variant("12").ToLong(), 12);
    EXPECT_EQ(Variant(2.5).ToLong(), 3);
    EXPECT_EQ(Variant(-2.5).ToLong(), -3);
    EXPECT_EQ(Variant(true).ToLong(), -1);
    EXPECT_DOUBLE_EQ(Variant(" 1.5 ").ToDouble(), 1.5);
    EXPECT_EQ(Variant(7).ToString(), "7");
    EXPECT_TRUE(Variant("true").ToBool());
    EXPECT_THROW(Variant("abc").ToLong(), vx::AutomationError);
    EXPECT_THROW(Variant(1e12).ToLong(), vx::AutomationError);
    EXPECT_EQ(Variant().ToLong(), 0);
}
