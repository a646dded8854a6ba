// The rounding the controls' arithmetic uses.
#pragma once

namespace Rounding {

// The nearest integer; a half goes to the even neighbour (2.5 -> 2, 3.5 -> 4).
int halfEven(double x);

// "x \ 2": the nearest integer of x (half to even), halved towards zero.
int halve(double x);

} // namespace Rounding
