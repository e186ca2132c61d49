#pragma once
// Socket failures are reported with the Windows socket error numbers, because those numbers travel further
// than the socket layer: a failed connect hands its code to the login screen inside the local ConnectFailed
// message, and the log prints them. The POSIX errno and resolver codes are mapped here, once.
#include <cstdint>

namespace platform {

inline constexpr int kSocketInterrupted = 10004;  // a blocking call was cancelled
inline constexpr int kSocketWouldBlock = 10035;
inline constexpr int kSocketNotConnected = 10057;
inline constexpr int kSocketShutDown = 10058;
inline constexpr int kSocketConnectionReset = 10054;
inline constexpr int kSocketTimedOut = 10060;
inline constexpr int kSocketConnectionRefused = 10061;
inline constexpr int kSocketHostUnreachable = 10065;
inline constexpr int kSocketHostNotFound = 11001;
inline constexpr int kSocketTryAgain = 11002;
inline constexpr int kSocketNoRecovery = 11003;
inline constexpr int kSocketNoData = 11004;

// The socket error number for an errno value. The Windows numbers are 10000 + the Berkeley errno; Linux
// shares the Berkeley values below 35 (EINTR, EBADF, EACCES, EINVAL, ...), which therefore become
// 10000 + errno, while the codes that Linux numbers otherwise are mapped by name.
int SocketErrorFromErrno(int error);

// The socket error number for a getaddrinfo result; systemError is errno as it stood after the call.
int SocketErrorFromResolver(int resolverError, int systemError);

}  // namespace platform
