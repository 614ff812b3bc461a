#pragma once
// Runs a call when the scope ends, by return or by exception.
#include <utility>

namespace klarvik {

template <class Call>
class ScopeExit {
 public:
  explicit ScopeExit(Call call) : call_(std::move(call)) {}
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  ~ScopeExit() { call_(); }

 private:
  Call call_;
};

}  // namespace klarvik
