// Hosts that load libostrel at run time must be able to load, use, unload and
// exit cleanly.

#include "support/ChildProcess.h"

#include <gtest/gtest.h>

namespace {

TEST(LibraryEntryTest, HostsThatLoadTheLibraryAtRunTimeExitCleanly) {
    for (const auto& [mode, output] :
         {std::pair{"keep", "loaded:yes"}, std::pair{"close", "loaded:yes closed:yes"}}) {
        SCOPED_TRACE(mode);
        const auto result = ostrel::test::runChild({OSTREL_DLOPEN_HOST, OSTREL_LIBRARY_FILE, mode},
                                                   {{"QT_QPA_PLATFORM", "offscreen"}});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.output, output) << "output that was never flushed is lost in a crash";
    }
}

} // namespace
