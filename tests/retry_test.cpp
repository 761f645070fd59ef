#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "ui/Retry.h"

namespace kelo {
namespace {

using std::chrono::milliseconds;

TEST(RetryWhileBusy, TriesAgainWithinHalfASecondAndStopsAtTheFirstSuccess) {
    struct Case {
        int failuresFirst;  // tries that fail before one succeeds
        bool succeeds;
        int tries;
    };
    const Case cases[] = {{0, true, 1}, {1, true, 2}, {4, true, 5}, {5, false, 5}, {50, false, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failuresFirst);
        int tries = 0;
        std::vector<milliseconds> pauses;
        const bool done = RetryWhileBusy([&] { return ++tries > c.failuresFirst; },
                                         [&](milliseconds pause) { pauses.push_back(pause); });
        EXPECT_EQ(done, c.succeeds);
        EXPECT_EQ(tries, c.tries);
        // A pause lies between two tries, never after the last one.
        ASSERT_EQ(pauses.size(), static_cast<std::size_t>(c.tries - 1));
        milliseconds total{0};
        for (milliseconds p : pauses) {
            EXPECT_GT(p, milliseconds(0));
            total += p;
        }
        EXPECT_LE(total, milliseconds(500));
    }
}

}  // namespace
}  // namespace kelo
