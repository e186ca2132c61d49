#pragma once
// Gives memory the program freed back to the system. The C library keeps freed blocks of its heap for later
// allocations; after a screen has loaded (and its pictures went to the graphics driver) much of that is not
// wanted again soon. Any thread; takes a few milliseconds.
namespace platform {

void ReturnFreedMemory();

}  // namespace platform
