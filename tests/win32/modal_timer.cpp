#include "tests/win32/modal_timer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

ModalTimer* ModalTimer::current_ = nullptr;

ModalTimer::ModalTimer(std::function<void()> onTick, UINT intervalMs)
    : onTick_(std::move(onTick)), timer_(0) {
  current_ = this;
  timer_ = SetTimer(nullptr, 0, intervalMs, Tick);
}

ModalTimer::~ModalTimer() {
  KillTimer(nullptr, timer_);
  current_ = nullptr;
}

void CALLBACK ModalTimer::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (current_ != nullptr) current_->onTick_();
}

ModalWatchdog::ModalWatchdog(DWORD limitMs) {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  const std::string name =
      test != nullptr ? std::string(test->test_suite_name()) + "." + test->name() : "a test";
  thread_ = std::thread([this, limitMs, name] {
    std::unique_lock<std::mutex> lock(mutex_);
    if (done_.wait_for(lock, std::chrono::milliseconds(limitMs), [this] { return finished_; })) {
      return;
    }
    std::fprintf(stderr, "%s: a modal window stayed open for %lu ms\n", name.c_str(),
                 static_cast<unsigned long>(limitMs));
    std::fflush(stderr);
    ExitProcess(1);
  });
}

ModalWatchdog::~ModalWatchdog() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
  }
  done_.notify_one();
  thread_.join();
}
