#pragma once

// Sleeps until input arrives on freeglut's X connection or the given number
// of seconds has passed, whichever comes first. A negative time waits for
// input alone. Returns at once when events are already queued.
//
// freeglut calls a registered idle callback in a tight loop and would keep a
// whole core busy between updates; the host's idle callback waits here
// instead, so input is still handled at once and the CPU sleeps in between.
// Work that arrives without X input (a freeglut timer, a redisplay posted
// from outside a callback) waits until the next update at the latest.
void WaitForInputOrTimeout(double seconds);
