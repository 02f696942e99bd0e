#include "platform/ui/ScriptedPrompter.h"
#include "platform/ui/widgets/GuardedApplication.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace varn;

namespace {

// An exception that escapes a handler is told, and the events after it are still handled.
TEST(GuardedApplicationTest, AThrowingHandlerIsReportedAndTheProgramGoesOn)
{
    int argc = 1;
    char name[] = "varn3";
    char* argv[] = {name, nullptr};
    GuardedApplication app(argc, argv);
    ScriptedPrompter script;
    ScopedPrompter installed(script);
    int handled = 0;
    QTimer::singleShot(0, &app, [] { throw std::length_error("vector::reserve"); });
    QTimer::singleShot(0, &app, [] { throw 1; });
    QTimer::singleShot(0, &app, [&] { ++handled; });
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    EXPECT_EQ(app.exec(), 0);
    EXPECT_EQ(handled, 1);
    const auto told = script.asked(PromptKind::Message);
    ASSERT_EQ(told.size(), 2u);
    EXPECT_TRUE(told[0].text.contains(QStringLiteral("vector::reserve")) && told[0].icon == PromptIcon::Critical);
    EXPECT_TRUE(told[1].text.contains(QStringLiteral("未預期的錯誤")));
}

} // namespace
