#pragma once
// The OpenGL entry points through which the device sends state and vertex arrays: the real ones for drawing,
// or counting stand-ins in tests, which thereby see every state call that reaches the driver.
//
// Threads: the device's thread.
#include <GL/gl.h>
#include <GL/glext.h>

namespace platform::gfx {

struct GlCalls {
    decltype(&glEnable) enable;
    decltype(&glDisable) disable;
    decltype(&glActiveTexture) activeTexture;
    decltype(&glClientActiveTexture) clientActiveTexture;
    decltype(&glBindTexture) bindTexture;
    decltype(&glTexEnvi) texEnvi;
    decltype(&glTexEnvf) texEnvf;
    decltype(&glTexEnvfv) texEnvfv;
    decltype(&glTexParameteri) texParameteri;
    decltype(&glTexGeni) texGeni;
    decltype(&glTexGenfv) texGenfv;
    decltype(&glMatrixMode) matrixMode;
    decltype(&glLoadMatrixf) loadMatrixf;
    decltype(&glLoadIdentity) loadIdentity;
    decltype(&glPushMatrix) pushMatrix;
    decltype(&glPopMatrix) popMatrix;
    decltype(&glDepthMask) depthMask;
    decltype(&glDepthFunc) depthFunc;
    decltype(&glAlphaFunc) alphaFunc;
    decltype(&glBlendFunc) blendFunc;
    decltype(&glCullFace) cullFace;
    decltype(&glFrontFace) frontFace;
    decltype(&glLightModeli) lightModeli;
    decltype(&glLightModelfv) lightModelfv;
    decltype(&glColorMaterial) colorMaterial;
    decltype(&glFogi) fogi;
    decltype(&glFogf) fogf;
    decltype(&glFogfv) fogfv;
    decltype(&glLightfv) lightfv;
    decltype(&glLightf) lightf;
    decltype(&glMaterialfv) materialfv;
    decltype(&glMaterialf) materialf;
    decltype(&glEnableClientState) enableClientState;
    decltype(&glDisableClientState) disableClientState;
    decltype(&glVertexPointer) vertexPointer;
    decltype(&glNormalPointer) normalPointer;
    decltype(&glColorPointer) colorPointer;
    decltype(&glTexCoordPointer) texCoordPointer;
    decltype(&glNormal3f) normal3f;
    decltype(&glColor4f) color4f;
    PFNGLBINDBUFFERPROC bindBuffer;

    // The driver's own entry points.
    static const GlCalls& Driver();
};

}  // namespace platform::gfx
