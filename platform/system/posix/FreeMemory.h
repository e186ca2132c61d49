#pragma once
// Gives memory the program freed back to the system. The C library keeps freed blocks of its heap for later
// allocations; after a screen has loaded (and its pictures went to the graphics driver) much of that is not
// wanted again soon. The software rasteriser's shader compiler (libLLVM) runs while a screen's first frames
// compile their shaders and then rests: its machine code is let go from this process too (it stays in the
// system's file cache and is read back from there, page by page, when the compiler runs again). Any thread;
// takes a few milliseconds.
namespace platform {

void ReturnFreedMemory();

}  // namespace platform
