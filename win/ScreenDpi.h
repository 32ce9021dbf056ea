#pragma once
// The screen's pixel density as the system reports it to this program.

namespace win {

// Dots per inch of the screen; 96 when the system tells none.
int MeasuredScreenDpi();

} // namespace win
