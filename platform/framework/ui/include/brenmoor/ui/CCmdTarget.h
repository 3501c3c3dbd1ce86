#pragma once
// Message maps: each class keeps a static table of the messages it handles
// (message, notification code, control id, member), chained to its base
// class's table; a message is looked up from the class towards its bases.

#include <span>
#include <vector>

#include "brenmoor/core/CObject.h"
#include "brenmoor/windowing/WinMessages.h"

class CCmdTarget;

struct MessageMapEntry {
  UINT message;
  UINT code;  // the notification code of WM_COMMAND, otherwise 0
  UINT id;    // the control or command id of WM_COMMAND, otherwise 0
  LRESULT (*call)(CCmdTarget& target, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
  const MessageMap* (*base)();  // null at the root
  std::span<const MessageMapEntry> entries;
};

// Declares the class's table and its look-up; the class defines GetThisMessageMap.
#define DECLARE_MESSAGE_MAP()                                             \
 protected:                                                               \
  static const MessageMap* GetThisMessageMap();                           \
  const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

// Defines the class's table, chained to its base class's; the entries go
// between the two lines, each followed by a comma.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)    \
  const MessageMap* theClass::GetThisMessageMap() { \
    using TheBaseClass = baseClass;                \
    static const std::vector<MessageMapEntry> entries {
#define END_MESSAGE_MAP()                                                  \
  };                                                                       \
  static const MessageMap map{&TheBaseClass::GetThisMessageMap, entries}; \
  return &map;                                                             \
  }

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
 public:
  // Handles a command or a control's notification through the message map;
  // false when no entry takes it.
  virtual bool OnCmdMsg(UINT id, UINT code);

  // How many wait cursors are shown; the arrow comes back at zero.
  static int WaitCursorDepth();
  static void BeginWaitCursor();
  static void EndWaitCursor();

 protected:
  static const MessageMap* GetThisMessageMap();
  virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }
  const MessageMapEntry* FindEntry(UINT message, UINT code, UINT id) const;
};

// Shows the wait cursor for as long as it lives.
class CWaitCursor {
 public:
  CWaitCursor() { CCmdTarget::BeginWaitCursor(); }
  ~CWaitCursor() { CCmdTarget::EndWaitCursor(); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
};

namespace message_map {

template <typename Member>
struct ClassOf;
template <typename Class, typename Result, typename... Arguments>
struct ClassOf<Result (Class::*)(Arguments...)> {
  using type = Class;
};

}  // namespace message_map

// A command, or a control's notification code, for one id (the framework's
// ON_COMMAND, ON_BN_CLICKED, ON_CBN_EDITCHANGE ...): void Handler().
template <auto Handler>
constexpr MessageMapEntry ControlEntry(UINT code, UINT id) {
  using Class = typename message_map::ClassOf<decltype(Handler)>::type;
  return {WM_COMMAND, code, id, [](CCmdTarget& target, WPARAM, LPARAM) -> LRESULT {
            (static_cast<Class&>(target).*Handler)();
            return 0;
          }};
}

template <auto Handler>
constexpr MessageMapEntry CommandEntry(UINT id) {
  return ControlEntry<Handler>(BN_CLICKED, id);
}

// The code under which a control's own notification comes back to it from its parent.
constexpr UINT ReflectedCode(UINT code) { return static_cast<UINT>(MAKEWPARAM(static_cast<WORD>(code),
                                                                              WM_REFLECT_BASE + WM_COMMAND)); }

// A control's own notification, reflected to it by the parent (the
// framework's ON_CONTROL_REFLECT): void Handler().
template <auto Handler>
constexpr MessageMapEntry ReflectEntry(UINT code) {
  return ControlEntry<Handler>(ReflectedCode(code), 0);
}

// Any other message: LRESULT Handler(WPARAM, LPARAM).
template <auto Handler>
constexpr MessageMapEntry MessageEntry(UINT message) {
  using Class = typename message_map::ClassOf<decltype(Handler)>::type;
  return {message, 0, 0, [](CCmdTarget& target, WPARAM wParam, LPARAM lParam) -> LRESULT {
            return (static_cast<Class&>(target).*Handler)(wParam, lParam);
          }};
}

// WM_CREATE: int Handler(CREATESTRUCT*), its result the message's (-1 stops the window).
template <auto Handler>
constexpr MessageMapEntry CreateEntry() {
  using Class = typename message_map::ClassOf<decltype(Handler)>::type;
  return {WM_CREATE, 0, 0, [](CCmdTarget& target, WPARAM, LPARAM lParam) -> LRESULT {
            return (static_cast<Class&>(target).*Handler)(reinterpret_cast<CREATESTRUCT*>(lParam));
          }};
}

// A message whose parameters the handler does not need: void Handler().
template <auto Handler>
constexpr MessageMapEntry PlainEntry(UINT message) {
  using Class = typename message_map::ClassOf<decltype(Handler)>::type;
  return {message, 0, 0, [](CCmdTarget& target, WPARAM, LPARAM) -> LRESULT {
            (static_cast<Class&>(target).*Handler)();
            return 0;
          }};
}
