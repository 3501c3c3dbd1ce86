#pragma once
// Observers of an object learn of its changes through Update, called by the
// object's NotifyObservers.

#include <vector>

class Observable;

class Observer {
 public:
  virtual ~Observer();
  virtual void Update(Observable* source, void* argument) = 0;
};

// Observers are not owned. Copies start without observers, and assignment
// keeps the target's: observers watch an object, not its value.
class Observable {
 public:
  Observable() = default;
  Observable(const Observable&) {}
  Observable& operator=(const Observable&) { return *this; }
  virtual ~Observable();

  // Attaching twice keeps one entry; null is ignored.
  virtual void AttachObserver(Observer* observer);
  // False when the observer was not attached.
  virtual bool DetachObserver(Observer* observer);
  // In attach order. Observers may attach and detach during the call: those
  // detached meanwhile are skipped, those attached meanwhile wait for the
  // next notification.
  virtual void NotifyObservers(void* argument) const;

 private:
  bool IsAttached(const Observer* observer) const;

  std::vector<Observer*> observers_;
};
