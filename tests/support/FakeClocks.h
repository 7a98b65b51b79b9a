#pragma once

#include "board/Clocks.h"

// Clocks that move only when the test moves them: the steady clocks stand still, the wall clock is the real one until
// the test sets it.
class FakeClocks : public tallivor::Clocks
{
public:
    QDateTime clock;             // the wall clock; the real one while it is not set
    tallivor::SteadyTime steady; // moved by the tests that drive the clock; stands still otherwise

    tallivor::SteadyTime steadyTime() const override { return steady; }
    QDateTime now() const override { return clock.isValid() ? clock : QDateTime::currentDateTime(); }
};
