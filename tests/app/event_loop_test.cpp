#include "app/event_loop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/dispatched_ui.h"
#include "platform/scripted_ui.h"

namespace {

TEST(EventLoop, RunsAnotherThreadsTaskOnItsThreadWhileTheSenderWaits) {
    EventLoop loop;
    std::thread::id ranOn;
    std::atomic<bool> sent{false};
    bool ranBeforeReturn = false;
    std::thread sender([&] {
        bool ran = false;
        EXPECT_TRUE(loop.Send([&] {
            ranOn = std::this_thread::get_id();
            ran = true;
        }));
        ranBeforeReturn = ran;
        sent = true;
        loop.Wake();  // what the loop waits for changed on this thread
    });
    EXPECT_TRUE(loop.RunUntil([&] { return sent.load(); }));
    sender.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_TRUE(ranBeforeReturn);

    int inline_runs = 0;
    EXPECT_TRUE(loop.Send([&] { ++inline_runs; }));  // on its own thread: at once
    EXPECT_EQ(inline_runs, 1);
}

TEST(EventLoop, ShutdownReleasesWaitingSendersWithoutRunningTheirTasks) {
    EventLoop loop;
    std::atomic<bool> ran{false};
    std::atomic<int> result{-1};
    std::thread sender([&] { result = loop.Send([&] { ran = true; }) ? 1 : 0; });
    while (loop.PendingTasks() == 0) std::this_thread::yield();
    loop.Shutdown();
    sender.join();
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(ran);
    EXPECT_EQ(loop.PendingTasks(), 0u);
    std::thread late([&] { EXPECT_FALSE(loop.Send([&] { ran = true; })); });
    late.join();
    EXPECT_FALSE(ran);
}

// At idle pace a timer ticks once each time the loop falls idle after something happened, and
// an idle loop waits for the next thing instead of spinning.
TEST(EventLoop, IdlePaceTimersTickAfterActivityAndNeverSpin) {
    EventLoop loop(EventLoop::Pace::WhenIdle);
    int ticks = 0;
    loop.StartTimer(1, 500, [&] { ++ticks; });
    EXPECT_TRUE(loop.TimerRunning(1));
    EXPECT_FALSE(loop.RunUntil([] { return false; }, std::chrono::milliseconds(20)));
    EXPECT_EQ(ticks, 1);  // for the start; then nothing could happen

    std::thread sender([&] { loop.Send([] {}); });
    EXPECT_TRUE(loop.RunUntil([&] { return ticks == 2; }));
    sender.join();
    std::thread waker([&] { loop.Wake(); });
    EXPECT_TRUE(loop.RunUntil([&] { return ticks == 3; }));
    waker.join();

    loop.StopTimer(1);
    EXPECT_FALSE(loop.TimerRunning(1));
    EXPECT_FALSE(loop.RunUntil([] { return false; }, std::chrono::milliseconds(5)));
    EXPECT_EQ(ticks, 3);
}

TEST(DispatchedUserInterface, ShowsAWorkersBoxOnTheLoopThread) {
    EventLoop loop;
    platform::ScriptedUserInterface shown;
    shown.Answer(win32::IDYES);
    DispatchedUserInterface ui(shown, loop);
    platform::ScopedUserInterface guard(ui);
    std::atomic<int> answer{0};
    std::thread worker([&] {
        answer = win32::MessageBoxA(nullptr, "text", "Caption", win32::MB_YESNO);
        loop.Wake();
    });
    EXPECT_TRUE(loop.RunUntil([&] { return answer.load() != 0; }));
    worker.join();
    EXPECT_EQ(answer, win32::IDYES);
    ASSERT_EQ(shown.Boxes().size(), 1u);
    EXPECT_EQ(shown.Boxes()[0].caption, "Caption");
}

}  // namespace
