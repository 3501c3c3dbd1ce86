#include "brenmoor/utils/Observable.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace {

using Names = std::vector<std::string>;

class Recorder : public Observer {
 public:
  Recorder(std::string name, Names& log) : name_(std::move(name)), log_(log) {}
  void Update(Observable* source, void* argument) override {
    log_.push_back(name_);
    lastSource = source;
    lastArgument = argument;
    if (onUpdate) onUpdate();
  }
  Observable* lastSource = nullptr;
  void* lastArgument = nullptr;
  std::function<void()> onUpdate;

 private:
  std::string name_;
  Names& log_;
};

class ObservableTest : public ::testing::Test {
 protected:
  Names Notify(const Observable& observable) {
    log.clear();
    observable.NotifyObservers(nullptr);
    return log;
  }
  void AttachAll(std::initializer_list<Observer*> observers) {
    for (Observer* observer : observers) subject.AttachObserver(observer);
  }

  Names log;
  Recorder a{"a", log}, b{"b", log}, c{"c", log}, d{"d", log};
  Observable subject;
};

TEST_F(ObservableTest, NotifiesEachOnceInAttachOrder) {
  AttachAll({&b, &a, nullptr, &b});
  int argument = 0;
  subject.NotifyObservers(&argument);
  EXPECT_EQ(log, (Names{"b", "a"}));
  EXPECT_EQ(a.lastSource, &subject);
  EXPECT_EQ(a.lastArgument, &argument);
}

TEST_F(ObservableTest, DetachReportsWhetherTheObserverWasAttached) {
  AttachAll({&a, &b, &b, &c});
  EXPECT_TRUE(subject.DetachObserver(&b));
  EXPECT_FALSE(subject.DetachObserver(&b));
  EXPECT_FALSE(subject.DetachObserver(&d));
  EXPECT_FALSE(subject.DetachObserver(nullptr));
  EXPECT_EQ(Notify(subject), (Names{"a", "c"}));
}

TEST_F(ObservableTest, ChangesDuringNotificationTakeEffectSafely) {
  AttachAll({&a, &b, &c});
  a.onUpdate = [&] {
    subject.DetachObserver(&a);
    subject.DetachObserver(&b);
    subject.AttachObserver(&d);
  };
  EXPECT_EQ(Notify(subject), (Names{"a", "c"}));
  EXPECT_EQ(Notify(subject), (Names{"c", "d"}));
}

TEST_F(ObservableTest, CopiesDoNotTakeObservers) {
  subject.AttachObserver(&a);
  const Observable copy(subject);
  Observable target;
  target.AttachObserver(&b);
  target = subject;
  EXPECT_EQ(Notify(copy), Names{});
  EXPECT_EQ(Notify(target), (Names{"b"}));
  EXPECT_EQ(Notify(subject), (Names{"a"}));
}

}  // namespace
