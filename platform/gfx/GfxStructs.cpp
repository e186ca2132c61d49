#include "platform/gfx/GfxStructs.h"

namespace platform::gfx {

Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix out;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = 0;
            for (int k = 0; k < 4; ++k) {
                sum += a.at(row, k) * b.at(k, column);
            }
            out.at(row, column) = sum;
        }
    }
    return out;
}

Matrix OrthoOffCenterLH(float left, float right, float bottom, float top, float zNear, float zFar) {
    Matrix out;
    out.at(0, 0) = 2.0f / (right - left);
    out.at(1, 1) = 2.0f / (top - bottom);
    out.at(2, 2) = 1.0f / (zFar - zNear);
    out.at(3, 0) = (left + right) / (left - right);
    out.at(3, 1) = (top + bottom) / (bottom - top);
    out.at(3, 2) = zNear / (zNear - zFar);
    return out;
}

GammaRamp GammaRamp::Identity() {
    GammaRamp ramp;
    for (uint32_t i = 0; i < 256; ++i) {
        const auto level = static_cast<uint16_t>(i << 8);
        ramp.red[i] = ramp.green[i] = ramp.blue[i] = level;
    }
    return ramp;
}

}  // namespace platform::gfx
