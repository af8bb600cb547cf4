#pragma once
// One owner per kind of OS handle: each closes its handle exactly once, can be moved but never
// copied (a copy would close the handle twice).
#include <windows.h>
#include <objbase.h>

#include <utility>

namespace xs::win {

// Kernel objects closed with CloseHandle: snapshots, waitable timers, processes, threads.
// Both null and INVALID_HANDLE_VALUE count as empty, because the API uses either for failure.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE h) noexcept : h_(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.h_, nullptr));
    return *this;
  }
  ~UniqueHandle() { reset(); }

  [[nodiscard]] HANDLE get() const noexcept { return h_; }
  [[nodiscard]] bool valid() const noexcept { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
  explicit operator bool() const noexcept { return valid(); }
  void reset(HANDLE h = nullptr) noexcept {
    if (valid()) CloseHandle(h_);
    h_ = h;
  }
  // Gives the handle up; only for handing it to the system, which then owns it.
  [[nodiscard]] HANDLE release() noexcept { return std::exchange(h_, nullptr); }

 private:
  HANDLE h_ = nullptr;
};

// Memory the shell hands out and wants back through CoTaskMemFree (SHGetKnownFolderPath).
template <typename T>
class UniqueCoTaskMem {
 public:
  UniqueCoTaskMem() = default;
  explicit UniqueCoTaskMem(T* p) noexcept : p_(p) {}
  UniqueCoTaskMem(const UniqueCoTaskMem&) = delete;
  UniqueCoTaskMem& operator=(const UniqueCoTaskMem&) = delete;
  UniqueCoTaskMem(UniqueCoTaskMem&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  UniqueCoTaskMem& operator=(UniqueCoTaskMem&& other) noexcept {
    if (this != &other) reset(std::exchange(other.p_, nullptr));
    return *this;
  }
  ~UniqueCoTaskMem() { reset(); }

  [[nodiscard]] T* get() const noexcept { return p_; }
  // For out-parameters: frees what is held and gives the slot to fill.
  [[nodiscard]] T** put() noexcept {
    reset();
    return &p_;
  }
  void reset(T* p = nullptr) noexcept {
    if (p_ != nullptr) CoTaskMemFree(p_);
    p_ = p;
  }

 private:
  T* p_ = nullptr;
};

// A window this code created and must destroy (DestroyWindow belongs to the creating thread).
class UniqueWindow {
 public:
  UniqueWindow() = default;
  explicit UniqueWindow(HWND w) noexcept : w_(w) {}
  UniqueWindow(const UniqueWindow&) = delete;
  UniqueWindow& operator=(const UniqueWindow&) = delete;
  UniqueWindow(UniqueWindow&& other) noexcept : w_(std::exchange(other.w_, nullptr)) {}
  UniqueWindow& operator=(UniqueWindow&& other) noexcept {
    if (this != &other) reset(std::exchange(other.w_, nullptr));
    return *this;
  }
  ~UniqueWindow() { reset(); }

  [[nodiscard]] HWND get() const noexcept { return w_; }
  explicit operator bool() const noexcept { return w_ != nullptr; }
  void reset(HWND w = nullptr) noexcept {
    // The window may already be gone (closed by the user, destroyed with its owner).
    if (w_ != nullptr && IsWindow(w_)) DestroyWindow(w_);
    w_ = w;
  }
  [[nodiscard]] HWND release() noexcept { return std::exchange(w_, nullptr); }

 private:
  HWND w_ = nullptr;
};

}  // namespace xs::win
