#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>
#include <vector>

#include "recording_target.h"

namespace {

std::atomic<int> g_freed{0};
void countingDeleter(void* p) {
    delete static_cast<int*>(p);
    g_freed.fetch_add(1);
}

TEST(WindowTarget, PostsFromSeveralThreadsArriveInOrderPerThread) {
    vt::test::RecordingTarget target;
    constexpr int kThreads = 4, kPerThread = 2000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < kPerThread; ++i)
                EXPECT_TRUE(vt_post_message(target.window(), 1034, static_cast<uintptr_t>(t), i));
        });
    for (auto& th : threads) th.join();

    auto messages = target.messages();
    ASSERT_EQ(messages.size(), static_cast<std::size_t>(kThreads * kPerThread));
    std::map<uintptr_t, intptr_t> next;
    for (const auto& m : messages) {
        EXPECT_EQ(m.message, 1034u);
        EXPECT_EQ(m.lParam, next[m.wParam]) << "thread " << m.wParam << " out of order";
        next[m.wParam] = m.lParam + 1;
    }
}

TEST(WindowTarget, PostAfterCloseIsDroppedAndItsPayloadFreed) {
    vt::test::RecordingTarget target;
    g_freed = 0;
    ASSERT_TRUE(vt_post_message(target.window(), 1024, 4900, reinterpret_cast<intptr_t>(new int(1)),
                                countingDeleter));
    target.close();
    EXPECT_FALSE(vt_post_message(target.window(), 1024, 4900, reinterpret_cast<intptr_t>(new int(2)),
                                 countingDeleter));
    EXPECT_FALSE(vt_post_message(target.window(), 1034, 5000, 0));
    EXPECT_EQ(target.count(), 1u);
    EXPECT_EQ(g_freed.load(), 1) << "the dropped payload must be freed at once";
}

TEST(WindowTarget, NullTargetFreesPayload) {
    g_freed = 0;
    EXPECT_FALSE(vt_post_message(nullptr, 1024, 4900, reinterpret_cast<intptr_t>(new int(3)), countingDeleter));
    EXPECT_EQ(g_freed.load(), 1);
}

TEST(WindowTarget, CloseWhilePostingLosesNoPayload) {
    g_freed = 0;
    int delivered = 0;
    {
        vt::test::RecordingTarget target;
        std::atomic<bool> go{true};
        std::thread poster([&] {
            while (go) vt_post_message(target.window(), 1, 0, reinterpret_cast<intptr_t>(new int(0)), countingDeleter);
        });
        target.close();
        delivered = static_cast<int>(target.count());
        // Delivered payloads stay with the target until it is destroyed, so
        // anything freed now was dropped by a post after the close.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (g_freed.load() < 100 && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
        EXPECT_GE(g_freed.load(), 100) << "posts after close must free their payloads";
        EXPECT_EQ(target.count(), static_cast<std::size_t>(delivered)) << "a post went through after close";
        go = false;
        poster.join();
    }
    // The destroyed target freed what it had received.
    EXPECT_GE(g_freed.load(), delivered + 100);
}

}  // namespace
