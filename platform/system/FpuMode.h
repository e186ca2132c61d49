#pragma once
// The floating-point mode in which the program computes physics and aiming: round toward zero, denormal
// inputs and results flushed to zero, every floating-point exception masked. The mode belongs to a
// thread, so each thread that computes shots sets it first.
namespace platform {

void SetThreadFpuMode();

}  // namespace platform
