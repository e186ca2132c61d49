#pragma once
// Where an animated sprite is: position, scale in x and y, rotation (radians) and alpha.
namespace quill {

struct SpriteState {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float rotation = 0.0f;
    float alpha = 1.0f;

    // Motions compose with positions and rotation added (the rotation kept below one turn) and scales and
    // alpha multiplied, so that the identity state changes nothing.
    SpriteState Then(const SpriteState& motion) const;
};

// The rotation reduced to less than one turn, keeping its sign.
float WrapTurn(float radians);

}  // namespace quill
