#include "QuillLib/math/Matrix4.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

#include "QuillLib/math/Quaternion.h"

namespace quill {

Matrix4& Matrix4::Multiply(Matrix4& out, const Matrix4& a, const Matrix4& b) {
    Matrix4 product;
    for (int row = 0; row < 4; ++row) {
        const float* r = &a.m[4 * row];
        for (int col = 0; col < 4; ++col) {
            product.m[4 * row + col] =
                r[0] * b.m[col] + r[1] * b.m[4 + col] + r[2] * b.m[8 + col] + r[3] * b.m[12 + col];
        }
    }
    return out = product;
}

Matrix4& Matrix4::MultiplyInPlace(const Matrix4& b) {
    return Multiply(*this, *this, b);
}

void Matrix4::FromQuaternion(const Quaternion& q) {
    float rotation[9];
    q.ToMatrix3(rotation);
    *this = kIdentityMatrix;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            m[4 * row + col] = rotation[3 * row + col];
        }
    }
}

namespace {

constexpr double kSingularRatio = 1e-12;

// The matrix extended by the identity, eliminated in double precision.
struct Augmented {
    double cell[4][8];

    explicit Augmented(const Matrix4& source) {
        for (int row = 0; row < 4; ++row) {
            for (int col = 0; col < 4; ++col) {
                cell[row][col] = source.m[4 * row + col];
                cell[row][4 + col] = row == col ? 1.0 : 0.0;
            }
        }
    }

    double LargestMagnitude() const {
        double largest = 0.0;
        for (int row = 0; row < 4; ++row) {
            for (int col = 0; col < 4; ++col) {
                largest = std::fmax(largest, std::fabs(cell[row][col]));
            }
        }
        return largest;
    }

    // The row at or below `column` whose entry in that column is largest in magnitude (the first such row on
    // ties, so that a matrix needing no exchange is eliminated in place).
    int PivotRow(int column) const {
        int best = column;
        for (int row = column + 1; row < 4; ++row) {
            if (std::fabs(cell[row][column]) > std::fabs(cell[best][column])) {
                best = row;
            }
        }
        return best;
    }

    void SwapRows(int a, int b) {
        for (int col = 0; col < 8; ++col) {
            std::swap(cell[a][col], cell[b][col]);
        }
    }

    void EliminateColumn(int column) {
        const double pivot = cell[column][column];
        for (int col = 0; col < 8; ++col) {
            cell[column][col] /= pivot;
        }
        for (int row = 0; row < 4; ++row) {
            const double factor = cell[row][column];
            if (row == column || factor == 0.0) {
                continue;
            }
            for (int col = 0; col < 8; ++col) {
                cell[row][col] -= factor * cell[column][col];
            }
        }
    }
};

}  // namespace

bool Matrix4::Invert(Matrix4& out) const {
    // A NaN or an infinity off the pivot path would pass the elimination unnoticed and spread into the result.
    if (!std::all_of(std::begin(m), std::end(m), [](float value) { return std::isfinite(value); })) {
        return false;
    }
    Augmented work(*this);
    // A pivot this small next to the entries is rounding left over from linearly dependent rows.
    const double singularBelow = work.LargestMagnitude() * kSingularRatio;
    for (int column = 0; column < 4; ++column) {
        const int pivotRow = work.PivotRow(column);
        // The negated test also fails a NaN pivot.
        if (!(std::fabs(work.cell[pivotRow][column]) > singularBelow)) {
            return false;
        }
        if (pivotRow != column) {
            work.SwapRows(pivotRow, column);
        }
        work.EliminateColumn(column);
    }
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            out.m[4 * row + col] = static_cast<float>(work.cell[row][4 + col]);
        }
    }
    return true;
}

Vec3& TransformPoint(Vec3& out, const Vec3& v, const Matrix4& m) {
    const Vec3 p{v.x * m.m[0] + v.y * m.m[4] + v.z * m.m[8] + m.m[12],
                 v.x * m.m[1] + v.y * m.m[5] + v.z * m.m[9] + m.m[13],
                 v.x * m.m[2] + v.y * m.m[6] + v.z * m.m[10] + m.m[14]};
    return out = p;
}

}  // namespace quill
