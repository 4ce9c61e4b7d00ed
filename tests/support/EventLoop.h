#pragma once
// Driving the event loop from window tests.

namespace rq7::test {

// Runs the event loop until nothing is left to do: handlers may post
// further work (the leave handlers run queued, after the focus change that
// raised them), so a few rounds drain it.
void settle();

} // namespace rq7::test
