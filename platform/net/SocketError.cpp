#include "platform/net/SocketError.h"

#include <netdb.h>

#include <cerrno>

namespace platform {

int SocketErrorFromErrno(int error) {
    switch (error) {
        case EAGAIN:
            return kSocketWouldBlock;
        case EINPROGRESS:
            return 10036;
        case EALREADY:
            return 10037;
        case ENOTSOCK:
            return 10038;
        case EDESTADDRREQ:
            return 10039;
        case EMSGSIZE:
            return 10040;
        case EPROTOTYPE:
            return 10041;
        case ENOPROTOOPT:
            return 10042;
        case EPROTONOSUPPORT:
            return 10043;
        case ESOCKTNOSUPPORT:
            return 10044;
        case EOPNOTSUPP:
            return 10045;
        case EPFNOSUPPORT:
            return 10046;
        case EAFNOSUPPORT:
            return 10047;
        case EADDRINUSE:
            return 10048;
        case EADDRNOTAVAIL:
            return 10049;
        case ENETDOWN:
            return 10050;
        case ENETUNREACH:
            return 10051;
        case ENETRESET:
            return 10052;
        case ECONNABORTED:
            return 10053;
        case ECONNRESET:
        case EPIPE:  // the peer is gone; Windows reports a reset where Linux raises a broken pipe
            return kSocketConnectionReset;
        case ENOBUFS:
            return 10055;
        case EISCONN:
            return 10056;
        case ENOTCONN:
            return kSocketNotConnected;
        case ESHUTDOWN:
            return kSocketShutDown;
        case ETOOMANYREFS:
            return 10059;
        case ETIMEDOUT:
            return kSocketTimedOut;
        case ECONNREFUSED:
            return kSocketConnectionRefused;
        case ELOOP:
            return 10062;
        case ENAMETOOLONG:
            return 10063;
        case EHOSTDOWN:
            return 10064;
        case EHOSTUNREACH:
            return kSocketHostUnreachable;
        case ENOTEMPTY:
            return 10066;
        case EUSERS:
            return 10068;
        case EDQUOT:
            return 10069;
        case ESTALE:
            return 10070;
        case EREMOTE:
            return 10071;
        default:
            return 10000 + error;
    }
}

int SocketErrorFromResolver(int resolverError, int systemError) {
    switch (resolverError) {
        case 0:
            return 0;
        case EAI_NONAME:
            return kSocketHostNotFound;
        case EAI_AGAIN:
            return kSocketTryAgain;
#ifdef EAI_NODATA
        case EAI_NODATA:
            return kSocketNoData;
#endif
        case EAI_MEMORY:
            return 10055;
        case EAI_SYSTEM:
            return SocketErrorFromErrno(systemError);
        default:
            return kSocketNoRecovery;
    }
}

}  // namespace platform
