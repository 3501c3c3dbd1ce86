#include "brenmoor/ui/CStatic.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)

namespace {

const WindowClassRegistration staticClass{
    {kStaticClass, &DefWindowProc, nullptr, []() -> CWnd* { return new CStatic; }}};

}  // namespace
