#pragma once
// Files dragged from Explorer onto a control: the control accepts the drop and
// hands the dropped names, full paths in the order given, to a callback.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ui {

using DropHandler = std::function<void(const std::vector<std::wstring>& names)>;

// The handler must outlive the control.
void AcceptDroppedFiles(HWND control, DropHandler* handler);

// The names held by a drop; the drop is released.
std::vector<std::wstring> TakeDroppedNames(HDROP drop);

} // namespace ui
