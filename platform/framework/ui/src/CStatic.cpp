#include "brenmoor/ui/CStatic.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)

namespace {

const WindowClassRegistration staticClass{{kStaticClass, &DefWindowProc, nullptr}};
const CWnd::WrapperRegistration staticWrapper{kStaticClass, []() -> CWnd* { return new CStatic; }};

}  // namespace
