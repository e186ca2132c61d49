#pragma once
// Results of the DES-CBC operations of the packet cipher. 0 is success; the others are passed to the
// socket and stored as its last error, so their numbers are fixed.
namespace quill {

inline constexpr int kCipherOk = 0;
inline constexpr int kCipherBadArgument = 4097;       // unknown padding mode, in-place update, short output
inline constexpr int kCipherBadKeyLength = 4098;      // a key is 8 bytes
inline constexpr int kCipherBadPadding = 4099;        // the last block's padding bytes do not check
inline constexpr int kCipherNotBlockMultiple = 4100;  // unpadded input that is not a whole number of blocks
inline constexpr int kCipherPartialBlock = 4101;      // deciphering ended inside a block
inline constexpr int kCipherWeakKey = 4102;           // one of the 16 weak and semi-weak DES keys

}  // namespace quill
