#ifndef QEL_PLATFORM_COMPLETIONCALLBACK_H_
#define QEL_PLATFORM_COMPLETIONCALLBACK_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace pp {

// The continuation of an asynchronous operation: run once with the
// operation's result (PP_OK, a byte count or a negative code).
//
// Copies share one target, so the target runs at most once whichever copy
// is run: the first Run runs it, every later Run does nothing. A default
// (null) callback runs nothing.
class CompletionCallback {
 public:
  CompletionCallback() = default;
  explicit CompletionCallback(std::function<void(int32_t)> target)
      : target_(std::make_shared<std::function<void(int32_t)>>(std::move(target))) {}

  bool is_null() const { return !target_ || !*target_; }

  void Run(int32_t result) {
    if (!target_ || !*target_) return;
    // Taken out before it runs, so a callback that runs a copy of itself
    // runs nothing.
    std::function<void(int32_t)> target = std::move(*target_);
    *target_ = nullptr;
    target(result);
  }

 private:
  std::shared_ptr<std::function<void(int32_t)>> target_;
};

// The thread traits of a callback factory. Everything runs on the one main
// thread, so this is a tag with nothing to lock.
struct ThreadSafeThreadTraits {};

// Makes completion callbacks that call a method of one object. Once the
// factory is destroyed, or CancelAll has been called, the callbacks it made
// until then run nothing and never touch the object; callbacks made after
// CancelAll work normally. Bound arguments are copied into the callback.
//
// Callbacks must be run on the main thread, like everything else.
template <class T, class ThreadTraits = ThreadSafeThreadTraits>
class CompletionCallbackFactory {
 public:
  explicit CompletionCallbackFactory(T* object = nullptr)
      : object_(object), live_(std::make_shared<bool>(true)) {}
  ~CompletionCallbackFactory() { *live_ = false; }

  CompletionCallbackFactory(const CompletionCallbackFactory&) = delete;
  CompletionCallbackFactory& operator=(const CompletionCallbackFactory&) = delete;

  // Binds the factory to its object; callbacks made before are cancelled.
  void Initialize(T* object) {
    CancelAll();
    object_ = object;
  }

  T* GetObject() const { return object_; }

  // Cancels every callback made so far.
  void CancelAll() {
    *live_ = false;
    live_ = std::make_shared<bool>(true);
  }

  // A callback that calls object->method(result), with the bound arguments
  // after the result.
  CompletionCallback NewCallback(void (T::*method)(int32_t)) {
    return make([method](T* object, int32_t result) { (object->*method)(result); });
  }

  template <typename A>
  CompletionCallback NewCallback(void (T::*method)(int32_t, A), const std::decay_t<A>& a) {
    return make([method, a](T* object, int32_t result) { (object->*method)(result, a); });
  }

  template <typename A, typename B>
  CompletionCallback NewCallback(void (T::*method)(int32_t, A, B), const std::decay_t<A>& a,
                                 const std::decay_t<B>& b) {
    return make([method, a, b](T* object, int32_t result) { (object->*method)(result, a, b); });
  }

 private:
  template <typename Call>
  CompletionCallback make(Call call) {
    std::shared_ptr<bool> live = live_;
    T* object = object_;
    return CompletionCallback([live, object, call](int32_t result) {
      if (*live && object != nullptr) call(object, result);
    });
  }

  T* object_;
  // Shared with every callback made since the last cancel; false once
  // they are cancelled.
  std::shared_ptr<bool> live_;
};

}  // namespace pp

#endif  // QEL_PLATFORM_COMPLETIONCALLBACK_H_
