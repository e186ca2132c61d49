#include "platform/gfx/gl/GlCalls.h"

namespace platform::gfx {

const GlCalls& GlCalls::Driver() {
    static const GlCalls calls{
        glEnable, glDisable, glActiveTexture, glClientActiveTexture, glBindTexture, glTexEnvi, glTexEnvf, glTexEnvfv,
        glTexParameteri, glTexGeni, glTexGenfv, glMatrixMode, glLoadMatrixf, glLoadIdentity, glPushMatrix, glPopMatrix,
        glDepthMask, glDepthFunc, glAlphaFunc, glBlendFunc, glCullFace, glFrontFace, glLightModeli, glLightModelfv,
        glColorMaterial, glFogi, glFogf, glFogfv, glLightfv, glLightf, glMaterialfv, glMaterialf, glEnableClientState,
        glDisableClientState, glVertexPointer, glNormalPointer, glColorPointer, glTexCoordPointer, glNormal3f, glColor4f,
        glBindBuffer};
    return calls;
}

}  // namespace platform::gfx
