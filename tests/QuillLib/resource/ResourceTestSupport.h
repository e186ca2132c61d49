#pragma once
// Shared helpers of the resource tests: temporary folders, packages built in memory by the package writer,
// a recording listener and byte builders for hand-made records.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
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

// Resource files only pass the device on to texture bodies, which decode nothing yet: any distinct address
// serves as the device that lets a package create its files.
inline quill::RenderDevice* TestDevice() {
    static char storage;
    return reinterpret_cast<quill::RenderDevice*>(&storage);
}

using TempFolder = kvtest::TempDirectory;

// Little-endian byte builder for hand-made records.
class Bytes {
public:
    Bytes& U8(uint8_t value) {
        data_.push_back(value);
        return *this;
    }
    Bytes& U16(uint16_t value) { return U8(static_cast<uint8_t>(value)).U8(static_cast<uint8_t>(value >> 8)); }
    Bytes& U32(uint32_t value) { return U16(static_cast<uint16_t>(value)).U16(static_cast<uint16_t>(value >> 16)); }
    Bytes& Raw(const std::vector<uint8_t>& bytes) {
        data_.insert(data_.end(), bytes.begin(), bytes.end());
        return *this;
    }
    // A Text260 field with ASCII text.
    Bytes& Text260(const std::string& text) {
        std::vector<uint8_t> field(260, 0);
        std::memcpy(field.data(), text.data(), text.size());
        return Raw(field);
    }
    const std::vector<uint8_t>& Data() const { return data_; }
    MemoryStream Stream() const { return ToStream(data_); }

    static MemoryStream ToStream(const std::vector<uint8_t>& bytes) {
        MemoryStream stream;
        stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
        stream.Seek(quill::Stream::kFromBegin, 0);
        return stream;
    }

private:
    std::vector<uint8_t> data_;
};

inline std::vector<uint8_t> ToBytes(MemoryStream& stream) {
    return std::vector<uint8_t>(stream.Data(), stream.Data() + stream.Size());
}

// A resource file made in memory, owning no package.
inline std::unique_ptr<quill::ResourceFile> MakeFile(const WString& name) {
    return std::make_unique<quill::ResourceFile>(name, nullptr, nullptr);
}

// Adds a BINARY_DATA item holding text's bytes.
inline void AddBinary(quill::ResourceFile& file, uint32_t id, const std::string& text, const WString& name = {}) {
    MemoryStream body =
        Bytes().U32(static_cast<uint32_t>(text.size())).Raw(std::vector<uint8_t>(text.begin(), text.end())).Stream();
    ASSERT_TRUE(file.GetBinaryDataTable()->LoadItem(body, body, id, true));
    if (!name.empty()) {
        ASSERT_TRUE(file.GetBinaryDataTable()->RenameItem(id, name));
    }
}

inline std::string BinaryText(const quill::SharedPtr<quill::BinaryData>& item) {
    if (!item) {
        return "<none>";
    }
    MemoryStream& data = item->Data();
    return std::string(reinterpret_cast<const char*>(data.Data()), data.Size());
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

// Puts a package stream at the header of its index-th resource file.
inline void SeekToFile(MemoryStream& package, uint32_t index) {
    uint32_t offset = 0;
    ASSERT_TRUE(package.Seek(quill::Stream::kFromBegin, static_cast<int32_t>(4 + 20 * index + 16)));
    ASSERT_TRUE(quill::ReadU32(package, offset));
    ASSERT_TRUE(package.Seek(quill::Stream::kFromBegin, static_cast<int32_t>(offset)));
}

inline void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(path.parent_path());
    FILE* file = fopen(path.string().c_str(), "wb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    fclose(file);
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
