#include "platform/headless_ui.h"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "platform/headless_progress.h"

namespace maltrove::platform {
namespace {

TEST(HeadlessUserInterfaceTest, AnswersFromTheQueueAndLogsEachDialog) {
  std::ostringstream log;
  HeadlessUserInterface ui(log);
  ui.QueueAnswer("cancel");
  ui.QueueAnswer("no");
  EXPECT_EQ(ui.ShowMessage("Caption", "first\nsecond", MessageBoxButtons::kOkCancel),
            MessageBoxAnswer::kCancel);
  EXPECT_EQ(ui.ShowMessage("Q", "sure?", MessageBoxButtons::kYesNo), MessageBoxAnswer::kNo);
  EXPECT_EQ(log.str(), "DIALOG Caption: first\\nsecond\nDIALOG Q: sure?\n");
}

TEST(HeadlessUserInterfaceTest, EmptyQueueGivesOkOrCancel) {
  std::ostringstream log;
  HeadlessUserInterface ui(log);
  EXPECT_EQ(ui.ShowMessage("c", "t", MessageBoxButtons::kOk), MessageBoxAnswer::kOk);
  EXPECT_EQ(ui.ShowMessage("c", "t", MessageBoxButtons::kYesNo), MessageBoxAnswer::kYes);
  EXPECT_FALSE(ui.ChooseFile({}).has_value());
  EXPECT_EQ(ui.RunDialog("Sort", "keys"), "cancel");
  ui.QueueAnswer("/tmp/x.xls");
  EXPECT_EQ(ui.ChooseFile({}).value_or(""), "/tmp/x.xls");
}

TEST(HeadlessProgressDialogTest, OnlyTheOperationEndsTheModalLoop) {
  HeadlessProgressDialog dialog;
  dialog.Post(ProgressDialog::kCancel);  // ignored: not closable yet
  std::thread worker([&] {
    while (!dialog.IsReady()) std::this_thread::yield();
    dialog.SetRange(3);
    for (int i = 0; i < 5; ++i) dialog.Step();
    dialog.SetClosable();
    dialog.Post(ProgressDialog::kOk);
  });
  EXPECT_EQ(dialog.RunModal(), ProgressDialog::kOk);
  worker.join();
  EXPECT_EQ(dialog.position(), 3);  // the bar stops at its range
}

}  // namespace
}  // namespace maltrove::platform
