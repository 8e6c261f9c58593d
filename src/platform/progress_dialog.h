// The progress dialog of long grid operations (caption "잠시만 기다려 주십시오.").
// Only the operation can end it: OK and Cancel, from the keyboard or posted,
// are ignored until SetClosable().
#pragma once

#include <chrono>
#include <string>

namespace maltrove::platform {

inline constexpr char kProgressCaption[] = "잠시만 기다려 주십시오.";

class ProgressDialog {
 public:
  enum Result { kOk = 1, kCancel = 2 };

  virtual ~ProgressDialog() = default;
  virtual void SetMessage(const std::string& message) = 0;
  // Progress-bar messages; safe to call from the worker thread.
  virtual void SetRange(int high) = 0;
  virtual void SetPosition(int position) = 0;
  virtual void Step() = 0;
  // 1 once the dialog's window exists; written once by the page's thread.
  virtual bool IsReady() const = 0;
  // Waits at most `timeout` for the dialog to become ready.
  virtual bool WaitUntilReady(std::chrono::milliseconds timeout) = 0;
  virtual void SetClosable() = 0;
  // Posts OK or Cancel (from any thread); ignored until closable.
  virtual void Post(Result result) = 0;
  // Modal loop on the page's thread; returns the posted result.
  virtual Result RunModal() = 0;
  // Modeless use on the calling thread.
  virtual void ShowModeless() = 0;
  virtual void PumpMessages() = 0;
  virtual void Close() = 0;
};

}  // namespace maltrove::platform
