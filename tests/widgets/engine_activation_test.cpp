#include "TestPrinters.h"
#include <wordmill/WordmillComp.h>

#include <gtest/gtest.h>

#include <memory>

using namespace wordmill;
using namespace Qt::StringLiterals;

// Engines hook the application's first activation; they may be destroyed
// in any order before it comes, and the application's own handler must
// still run once the hooks are used.
TEST(EngineActivation, HooksSurviveEnginesDestroyedInAnyOrder)
{
    TApplicationEvents &application = TApplicationEvents::Instance();
    int own = 0;
    application.SetOnActivate([&](QObject *) { ++own; });

    auto first = std::make_unique<TWordmillEngine>();
    auto second = std::make_unique<TWordmillEngine>();
    auto third = std::make_unique<TWordmillEngine>();
    first.reset(); // gone before the activation, while others hooked after it
    EXPECT_FALSE(second->IsInitialized());

    application.NotifyActivated(nullptr);
    EXPECT_TRUE(second->IsInitialized());
    EXPECT_TRUE(third->IsInitialized());
    EXPECT_EQ(own, 1);

    // The hooks are used up: later activations reach the application alone.
    third.reset();
    second.reset();
    application.NotifyActivated(nullptr);
    EXPECT_EQ(own, 2);
    application.SetOnActivate({});
}
