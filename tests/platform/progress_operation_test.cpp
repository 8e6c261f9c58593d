#include "platform/progress_operation.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <thread>

#include "platform/headless_ui.h"

namespace maltrove::platform {
namespace {

TEST(RunModalOperationTest, WorkerRunsOffTheCallingThreadAndEndsTheDialog) {
  std::ostringstream log;
  HeadlessUserInterface ui(log);
  const std::thread::id caller = std::this_thread::get_id();
  std::thread::id worker;
  bool ok = RunModalOperation(&ui, "데이터를 입력 중입니다.", [&](ProgressDialog& dialog) {
    worker = std::this_thread::get_id();
    EXPECT_TRUE(dialog.IsReady());
    dialog.Post(ProgressDialog::kCancel);  // Escape while working: ignored
    dialog.SetRange(2);
    dialog.Step();
    return true;
  });
  EXPECT_TRUE(ok);
  EXPECT_NE(worker, caller);
  EXPECT_EQ(log.str(), "DIALOG 잠시만 기다려 주십시오.: 데이터를 입력 중입니다.\n");
}

TEST(RunModalOperationTest, FailingOrThrowingWorkIsAFailure) {
  EXPECT_FALSE(RunModalOperation(nullptr, "x", [](ProgressDialog&) { return false; }));
  EXPECT_FALSE(RunModalOperation(nullptr, "x", [](ProgressDialog&) -> bool {
    throw std::runtime_error("worker failed");
  }));
}

TEST(ModelessProgressTest, ShowsOnceAndIsReadyAtOnce) {
  std::ostringstream log;
  HeadlessUserInterface ui(log);
  {
    ModelessProgress progress(&ui, "XML 데이터를 불러오는 중입니다.");
    EXPECT_TRUE(progress.dialog().IsReady());
    progress.dialog().SetRange(10);
    progress.dialog().Step();
  }
  EXPECT_EQ(log.str(), "DIALOG 잠시만 기다려 주십시오.: XML 데이터를 불러오는 중입니다.\n");
}

}  // namespace
}  // namespace maltrove::platform
