#include "platform/http/HttpRequestHandle.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "platform/http/CurlLibrary.h"
#include "platform/http/HttpConnectionHandle.h"
#include "platform/system/CodePage.h"

namespace platform {
namespace {

// A request whose server stops answering gives up instead of blocking its caller for ever.
constexpr long kStalledSeconds = 60;

// A request exists only within a session, which loaded the library.
const CurlLibrary& Curl() {
    return *CurlLibrary::Load();
}

struct EasyHandleDeleter {
    void operator()(CURL* curl) const { Curl().easy_cleanup(curl); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* list) const { Curl().slist_free_all(list); }
};
using EasyHandle = std::unique_ptr<CURL, EasyHandleDeleter>;
using HeaderList = std::unique_ptr<curl_slist, HeaderListDeleter>;

// What the body writer keeps: up to limit bytes; a null text drops everything.
struct BodySink {
    std::string* text = nullptr;
    size_t limit = 0;
    bool cut = false;
};

// Returning less than it was given ends the transfer: it does so once the kept text is full.
size_t TakeBody(char* data, size_t size, size_t count, void* user) {
    auto& sink = *static_cast<BodySink*>(user);
    const size_t bytes = size * count;
    if (sink.text == nullptr)
        return bytes;
    const size_t room = sink.limit - sink.text->size();
    sink.text->append(data, std::min(room, bytes));
    if (bytes <= room)
        return bytes;
    sink.cut = true;
    return 0;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(std::move(line));
        }
        start = end + 1;
    }
    return lines;
}

struct MultiHandleDeleter {
    void operator()(CURLM* multi) const { Curl().multi_cleanup(multi); }
};
using MultiHandle = std::unique_ptr<CURLM, MultiHandleDeleter>;

// The transfer, watched for the cancel flag between waits of at most kCancelCheck for the socket; without a
// flag, the plain blocking transfer.
CURLcode Perform(CURL* easy, const std::atomic<bool>* cancel) {
    if (cancel == nullptr) {
        return Curl().easy_perform(easy);
    }
    MultiHandle multi(Curl().multi_init());
    if (!multi || Curl().multi_add_handle(multi.get(), easy) != CURLM_OK) {
        return CURLE_OUT_OF_MEMORY;
    }
    CURLcode result = CURLE_ABORTED_BY_CALLBACK;
    int running = 1;
    while (running != 0 && !cancel->load()) {
        if (Curl().multi_perform(multi.get(), &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        if (running != 0) {
            Curl().multi_poll(multi.get(), nullptr, 0, static_cast<int>(HttpLimits::kCancelCheck.count()), nullptr);
        }
    }
    if (running == 0) {
        int left = 0;
        while (CURLMsg* message = Curl().multi_info_read(multi.get(), &left)) {
            if (message->msg == CURLMSG_DONE) {
                result = message->data.result;
            }
        }
    }
    Curl().multi_remove_handle(multi.get(), easy);
    return result;
}

std::string JoinAcceptTypes(std::span<const WStringView> acceptTypes) {
    std::string header;
    for (WStringView type : acceptTypes) {
        header += header.empty() ? "Accept: " : ", ";
        header += ToCodePage(type);
    }
    return header;
}

}  // namespace

std::unique_ptr<HttpRequestHandle> HttpRequestHandle::Open(const HttpConnectionHandle& connection, WStringView verb,
                                                           WStringView object, WStringView version,
                                                           WStringView referrer,
                                                           std::span<const WStringView> acceptTypes) {
    if (!connection.IsHttp()) {
        return nullptr;
    }
    std::unique_ptr<HttpRequestHandle> request(new HttpRequestHandle());
    request->agent_ = connection.Agent();
    request->usesProxy_ = connection.UsesProxy();
    const std::string path = Utf16ToUtf8(object);
    request->url_ = connection.BaseUrl() + (path.starts_with('/') ? path : "/" + path);
    request->verb_ = verb.empty() ? std::string("GET") : Utf16ToUtf8(verb);
    request->http10_ = version == u"HTTP/1.0";
    request->referrer_ = Utf16ToUtf8(referrer);
    request->acceptHeader_ = JoinAcceptTypes(acceptTypes);
    request->user_ = connection.User();
    request->password_ = connection.Password();
    return request;
}

std::vector<std::string> HttpRequestHandle::HeaderLines(WStringView headers, bool hasBody) const {
    std::vector<std::string> lines = SplitLines(ToCodePage(headers));
    if (!acceptHeader_.empty()) {
        lines.push_back(acceptHeader_);
    }
    // Send only what the caller asked for: no "Expect: 100-continue" round trip, and no form content
    // type that the caller did not name.
    lines.push_back("Expect:");
    const bool namesContentType = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return StartsWithIgnoringCase(line, "content-type:");
    });
    if (hasBody && !namesContentType) {
        lines.push_back("Content-Type:");
    }
    return lines;
}

bool HttpRequestHandle::Send(WStringView headers, const void* data, uint32_t length) const {
    HttpLimits limits;
    return Transfer(headers, data, length, limits, nullptr).has_value();
}

std::optional<HttpReply> HttpRequestHandle::Exchange(WStringView headers, const void* data, uint32_t length,
                                                     const HttpLimits& limits) const {
    std::string body;
    std::optional<HttpReply> reply = Transfer(headers, data, length, limits, &body);
    if (reply)
        reply->body = std::move(body);
    return reply;
}

std::optional<HttpReply> HttpRequestHandle::Transfer(WStringView headers, const void* data, uint32_t length,
                                                     const HttpLimits& limits, std::string* kept) const {
    if (data == nullptr && length != 0) {
        return std::nullopt;
    }
    const CurlLibrary& curl = Curl();
    EasyHandle easy(curl.easy_init());
    if (!easy) {
        return std::nullopt;
    }
    CURL* handle = easy.get();
    BodySink sink{kept, limits.replyBytes, false};
    curl.easy_setopt(handle, CURLOPT_URL, url_.c_str());
    curl.easy_setopt(handle, CURLOPT_USERAGENT, agent_.c_str());
    if (!usesProxy_) {
        curl.easy_setopt(handle, CURLOPT_NOPROXY, "*");
    }
    curl.easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    // A transfer that ends before its name lookup (cancelled, timed out) leaves the lookup to finish on a thread
    // of its own, which holds nothing of this request, instead of waiting for it: behind a silent name server,
    // that wait would last until the system's resolver gives up.
    curl.easy_setopt(handle, CURLOPT_QUICK_EXIT, 1L);
    curl.easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connect.count()));
    if (limits.total.count() > 0) {
        curl.easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.total.count()));
    }
    curl.easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl.easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, kStalledSeconds);
    curl.easy_setopt(handle, CURLOPT_HTTP_VERSION, http10_ ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
    curl.easy_setopt(handle, CURLOPT_WRITEFUNCTION, TakeBody);
    curl.easy_setopt(handle, CURLOPT_WRITEDATA, &sink);
    if (!referrer_.empty()) {
        curl.easy_setopt(handle, CURLOPT_REFERER, referrer_.c_str());
    }
    if (!user_.empty()) {
        curl.easy_setopt(handle, CURLOPT_USERNAME, user_.c_str());
    }
    if (!password_.empty()) {
        curl.easy_setopt(handle, CURLOPT_PASSWORD, password_.c_str());
    }

    const bool hasBody = length != 0 || verb_ == "POST";
    if (hasBody) {
        curl.easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(length));
        curl.easy_setopt(handle, CURLOPT_POSTFIELDS, length != 0 ? data : "");
        if (verb_ != "POST") {
            curl.easy_setopt(handle, CURLOPT_CUSTOMREQUEST, verb_.c_str());
        }
    } else if (verb_ == "HEAD") {
        curl.easy_setopt(handle, CURLOPT_NOBODY, 1L);
    } else if (verb_ != "GET") {
        curl.easy_setopt(handle, CURLOPT_CUSTOMREQUEST, verb_.c_str());
    }

    HeaderList headerList;
    for (const std::string& line : HeaderLines(headers, hasBody)) {
        // Appending returns the list's head, which is only new for the first line.
        curl_slist* head = curl.slist_append(headerList.get(), line.c_str());
        if (head == nullptr) {
            return std::nullopt;
        }
        if (!headerList) {
            headerList.reset(head);
        }
    }
    curl.easy_setopt(handle, CURLOPT_HTTPHEADER, headerList.get());

    const CURLcode result = Perform(handle, limits.cancel);
    if (result != CURLE_OK && !(result == CURLE_WRITE_ERROR && sink.cut)) {
        return std::nullopt;
    }
    long status = 0;
    curl.easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    return HttpReply{static_cast<int>(status), {}, sink.cut};
}

}  // namespace platform
