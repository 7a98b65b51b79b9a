#pragma once

#include <QCursor>

namespace tallivor {

// The pointer over every label-button: a 32 x 32 monochrome white hand with a black outline, index finger up, its
// hot spot at the finger tip (5, 0).
QCursor handPointer();

} // namespace tallivor
