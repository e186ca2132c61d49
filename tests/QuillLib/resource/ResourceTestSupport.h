#pragma once
// Shared helpers of the resource tests: packages built in memory by the package writer, a recording
// listener and a byte builder for hand-made records.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/core/StreamFields.h"
#include "QuillLib/resource/Package.h"
#include "QuillLib/resource/PackageWriter.h"
#include "QuillLib/resource/ResourceFile.h"
#include "QuillLib/resource/ResourceListener.h"
#include "QuillLib/resource/ResourceManager.h"
#include "platform/system/CodePage.h"
#include "tests/support/common/TempDirectory.h"

namespace resource_test {

using quill::MemoryStream;
using quill::WString;

inline MemoryStream ToStream(const std::vector<uint8_t>& bytes) {
    MemoryStream stream;
    stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    stream.Seek(quill::Stream::kFromBegin, 0);
    return stream;
}

inline std::vector<uint8_t> ToBytes(MemoryStream& stream) {
    return std::vector<uint8_t>(stream.Data(), stream.Data() + stream.Size());
}

// Little-endian byte builder for hand-made records.
class Bytes {
public:
    Bytes& U16(uint16_t value) { return Raw({static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)}); }
    Bytes& U32(uint32_t value) { return U16(static_cast<uint16_t>(value)).U16(static_cast<uint16_t>(value >> 16)); }
    Bytes& U8(uint8_t value) { return Raw({value}); }
    Bytes& F32(float value) {
        uint32_t bits = 0;
        std::memcpy(&bits, &value, 4);
        return U32(bits);
    }
    // count zero floats (or words).
    Bytes& Zeros(size_t count) { return Raw(std::vector<uint8_t>(4 * count, 0)); }
    Bytes& Raw(const std::vector<uint8_t>& bytes) {
        data_.insert(data_.end(), bytes.begin(), bytes.end());
        return *this;
    }
    // A Text260 field with ASCII text.
    Bytes& Text260(const std::string& text) {
        std::vector<uint8_t> field(text.begin(), text.end());
        field.resize(260, 0);
        return Raw(field);
    }
    const std::vector<uint8_t>& Data() const { return data_; }
    MemoryStream Stream() const { return ToStream(data_); }

private:
    std::vector<uint8_t> data_;
};

// A resource file made in memory, owning no package.
inline std::unique_ptr<quill::ResourceFile> MakeFile(const WString& name) {
    return std::make_unique<quill::ResourceFile>(name, nullptr, nullptr);
}

// Adds a BINARY_DATA item holding text's bytes.
inline void AddBinary(quill::ResourceFile& file, uint32_t id, const std::string& text, const WString& name = {}) {
    MemoryStream body = Bytes().U32(static_cast<uint32_t>(text.size())).Raw({text.begin(), text.end()}).Stream();
    ASSERT_TRUE(file.GetBinaryDataTable()->LoadItem(body, body, id, true));
    if (!name.empty()) {
        ASSERT_TRUE(file.GetBinaryDataTable()->RenameItem(id, name));
    }
}

inline std::string BinaryText(const quill::SharedPtr<quill::BinaryData>& item) {
    return item ? std::string(reinterpret_cast<const char*>(item->Data().Data()), item->Data().Size()) : "<none>";
}

// Writes files into one package in memory.
inline MemoryStream WritePackage(const std::vector<quill::ResourceFile*>& files) {
    quill::PackageWriter writer;
    for (quill::ResourceFile* file : files) {
        EXPECT_TRUE(writer.AddFile(*file));
    }
    MemoryStream out;
    EXPECT_TRUE(writer.Write(out));
    return out;
}

// The bytes after the package index (the index names are scrambled with random keys).
inline std::vector<uint8_t> AfterIndex(MemoryStream& package) {
    std::vector<uint8_t> bytes = ToBytes(package);
    const size_t indexSize = 4 + 20 * static_cast<size_t>(bytes[0]);
    return std::vector<uint8_t>(bytes.begin() + static_cast<ptrdiff_t>(indexSize), bytes.end());
}

// Puts a package stream at the header of its index-th resource file.
inline void SeekToFile(MemoryStream& package, uint32_t index) {
    uint32_t offset = 0;
    ASSERT_TRUE(package.Seek(quill::Stream::kFromBegin, static_cast<int32_t>(4 + 20 * index + 16)));
    ASSERT_TRUE(quill::ReadU32(package, offset));
    ASSERT_TRUE(package.Seek(quill::Stream::kFromBegin, static_cast<int32_t>(offset)));
}

inline void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// Records every event as one line of text.
class RecordingListener : public quill::ResourceListener {
public:
    void OnItemEvent(uint32_t code, quill::Package&, quill::ResourceFile& file, uint32_t kind,
                     const uint32_t* id) override {
        events.push_back("item " + std::to_string(code) + " " + platform::Utf16ToUtf8(file.Name()) + " kind " +
                         std::to_string(kind) + " id " + std::to_string(*id));
    }
    void OnFileEvent(uint32_t code, quill::Package&, quill::ResourceFile* file, quill::WStringView name) override {
        events.push_back("file " + std::to_string(code) + " " + platform::Utf16ToUtf8(name) + (file ? "" : " (gone)"));
    }
    void OnPackageEvent(uint32_t code, quill::Package* package, quill::WStringView name) override {
        events.push_back("package " + std::to_string(code) + " " + platform::Utf16ToUtf8(name) +
                         (package ? "" : " (gone)"));
    }
    void OnShutdown(uint32_t value) override { events.push_back("shutdown " + std::to_string(value)); }

    std::vector<std::string> events;
};

}  // namespace resource_test
