#pragma once
// libcurl, loaded when the first HTTP session opens instead of when the program starts: the library and the
// dozens it brings with it (TLS, Kerberos, LDAP, SSH, ...) cost some 15 ms of start-up before the first frame,
// for transfers that come later if at all. Any thread may call Load; the loading and libcurl's global set-up
// happen once for the whole process and are never undone, since transfers of other sessions may still run
// at exit.
#include <curl/curl.h>

namespace platform {

class CurlLibrary {
public:
    // The library's functions, with its global set-up done; nullptr when it cannot be loaded or set up.
    static const CurlLibrary* Load();

    CURL* (*easy_init)() = nullptr;
    CURLcode (*easy_setopt)(CURL*, CURLoption, ...) = nullptr;
    CURLcode (*easy_perform)(CURL*) = nullptr;
    CURLcode (*easy_getinfo)(CURL*, CURLINFO, ...) = nullptr;
    void (*easy_cleanup)(CURL*) = nullptr;
    curl_slist* (*slist_append)(curl_slist*, const char*) = nullptr;
    void (*slist_free_all)(curl_slist*) = nullptr;
    CURLM* (*multi_init)() = nullptr;
    CURLMcode (*multi_add_handle)(CURLM*, CURL*) = nullptr;
    CURLMcode (*multi_remove_handle)(CURLM*, CURL*) = nullptr;
    CURLMcode (*multi_perform)(CURLM*, int*) = nullptr;
    CURLMcode (*multi_poll)(CURLM*, curl_waitfd[], unsigned int, int, int*) = nullptr;
    CURLMsg* (*multi_info_read)(CURLM*, int*) = nullptr;
    CURLMcode (*multi_cleanup)(CURLM*) = nullptr;

private:
    CURLcode (*global_init_)(long) = nullptr;

    bool Open();
};

}  // namespace platform
