#pragma once
// A hostile package made in memory for the tests: entryCount index entries that all give the offset of one
// resource file, which holds a single BINARY_DATA item whose zlib stream inflates to inflatedBytes zeros
// (a few hundred kilobytes of stream for 200 MB). The stream is made piece by piece, so the test never
// holds the inflated bytes.
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/core/StreamFields.h"
#include "QuillLib/resource/ResourceKind.h"

namespace kvtest {

// A zlib stream of size zero bytes, deflated a megabyte at a time.
inline std::vector<uint8_t> DeflatedZeros(uint32_t size) {
    z_stream stream{};
    deflateInit(&stream, Z_BEST_COMPRESSION);
    const std::vector<uint8_t> zeros(1u << 20, 0);
    std::vector<uint8_t> out;
    std::vector<uint8_t> chunk(1u << 16);
    uint32_t left = size;
    int flush = Z_NO_FLUSH;
    do {
        const uint32_t piece = left < zeros.size() ? left : static_cast<uint32_t>(zeros.size());
        left -= piece;
        flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
        stream.next_in = const_cast<uint8_t*>(zeros.data());
        stream.avail_in = piece;
        do {
            stream.next_out = chunk.data();
            stream.avail_out = static_cast<uInt>(chunk.size());
            deflate(&stream, flush);
            out.insert(out.end(), chunk.data(), chunk.data() + (chunk.size() - stream.avail_out));
        } while (stream.avail_out == 0);
    } while (flush != Z_FINISH);
    deflateEnd(&stream);
    return out;
}

inline quill::MemoryStream SharedOffsetPackage(uint32_t entryCount, uint32_t inflatedBytes) {
    using quill::ResourceKind;
    constexpr uint32_t kVersion = quill::kCurrentFileVersion;
    quill::MemoryStream package;
    quill::WriteU32(package, entryCount);
    const uint32_t fileOffset = 4 + entryCount * 20;
    for (uint32_t i = 0; i < entryCount; ++i) {
        quill::WriteScrambledString(package, u"entry" + quill::WString(std::u16string(1, u'a' + i % 26)) +
                                                 quill::WString(std::u16string(1, u'a' + i / 26)),
                                    16, static_cast<uint8_t>(i));
        quill::WriteU32(package, fileOffset);
    }
    // The resource file: its header with the table offsets, patched as the tables follow.
    quill::WriteU32(package, kVersion);
    quill::WriteU32(package, quill::TableCountForVersion(kVersion));
    const uint32_t offsetsAt = package.Tell();
    for (uint32_t i = 0; i < quill::TableCountForVersion(kVersion); ++i) {
        quill::WriteU32(package, 0);
    }
    const std::vector<uint8_t> stream = DeflatedZeros(inflatedBytes);
    uint32_t tableIndex = 0;
    for (uint32_t kind = 0; kind < quill::kResourceKindCount; ++kind) {
        if (!quill::IsKindPresent(kVersion, static_cast<ResourceKind>(kind))) {
            continue;
        }
        const uint32_t tableStart = package.Tell();
        package.Seek(quill::Stream::kFromBegin, static_cast<int32_t>(offsetsAt + 4 * tableIndex));
        quill::WriteU32(package, tableStart);
        package.Seek(quill::Stream::kFromBegin, static_cast<int32_t>(tableStart));
        quill::WriteU32(package, tableIndex++);
        if (kind != quill::KindIndex(ResourceKind::BinaryData)) {
            quill::WriteU32(package, 0);
            continue;
        }
        // One item: its body is a u32 size and that many bytes, all of them zeros in the stream.
        quill::WriteU32(package, 1);
        quill::WriteU32(package, package.Tell() + 4);
        quill::WriteU32(package, 0);  // item index
        quill::WriteU32(package, 0);  // id
        quill::WriteU32(package, inflatedBytes);
        quill::WriteU32(package, static_cast<uint32_t>(stream.size()));
        package.Write(stream.data(), static_cast<uint32_t>(stream.size()));
    }
    package.Seek(quill::Stream::kFromBegin, 0);
    return package;
}

}  // namespace kvtest
