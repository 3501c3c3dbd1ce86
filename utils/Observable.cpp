#include "brenmoor/utils/Observable.h"

#include <algorithm>

// Out of line so that each class's vtable has one home.
Observer::~Observer() = default;
Observable::~Observable() = default;

bool Observable::IsAttached(const Observer* observer) const {
  return std::find(observers_.begin(), observers_.end(), observer) != observers_.end();
}

void Observable::AttachObserver(Observer* observer) {
  if (observer != nullptr && !IsAttached(observer)) observers_.push_back(observer);
}

bool Observable::DetachObserver(Observer* observer) {
  const auto found = std::find(observers_.begin(), observers_.end(), observer);
  if (found == observers_.end()) return false;
  observers_.erase(found);
  return true;
}

void Observable::NotifyObservers(void* argument) const {
  // A copy, as Update may change the list.
  const std::vector<Observer*> snapshot = observers_;
  for (Observer* observer : snapshot) {
    // Update takes a non-const source, as observers may act on it.
    if (IsAttached(observer)) observer->Update(const_cast<Observable*>(this), argument);
  }
}
