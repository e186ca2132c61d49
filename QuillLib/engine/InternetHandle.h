#pragma once
// The holder of one handle of the internet layer (a session, a connection or a request). The handle is null
// until the holder's open operation succeeds; destroying the holder, or opening again, closes it.
#include <memory>
#include <utility>

namespace quill {

template <class Handle>
class InternetHandle {
public:
    virtual ~InternetHandle() = default;

    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;

    bool HasHandle() const { return handle_ != nullptr; }
    const Handle* GetHandle() const { return handle_.get(); }

protected:
    InternetHandle() = default;

    void SetHandle(std::unique_ptr<Handle> handle) { handle_ = std::move(handle); }
    void CloseHandle() { handle_.reset(); }

private:
    std::unique_ptr<Handle> handle_;
};

}  // namespace quill
