#include "core/change_notice.h"

#include <utility>
#include <vector>

namespace tv::core {

ChangeNotifier::Subscription& ChangeNotifier::Subscription::operator=(Subscription&& other) noexcept {
  if (this != &other) {
    Reset();
    notifier_ = std::exchange(other.notifier_, nullptr);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

void ChangeNotifier::Subscription::Reset() {
  if (notifier_ != nullptr) notifier_->Unsubscribe(id_);
  notifier_ = nullptr;
  id_ = 0;
}

ChangeNotifier::Subscription ChangeNotifier::Subscribe(Listener listener) {
  const int id = nextId_++;
  listeners_.emplace(id, std::move(listener));
  return Subscription(this, id);
}

void ChangeNotifier::Notify(Change change) {
  std::vector<int> ids;
  ids.reserve(listeners_.size());
  for (const auto& entry : listeners_) ids.push_back(entry.first);
  for (const int id : ids) {
    const auto found = listeners_.find(id);
    if (found == listeners_.end()) continue;
    // A copy, so the listener may unsubscribe itself while it runs.
    const Listener listener = found->second;
    listener(change);
  }
}

}  // namespace tv::core
