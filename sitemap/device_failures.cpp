#include "sitemap/device_failures.h"

#include <algorithm>
#include <iterator>

namespace {

// Missing from the toolchain's headers.
constexpr DWORD kCloudFileProviderNotRunning = 362;

// Every other refusal (a folder gone, forbidden, a link that cannot be
// followed or that loops, a name the system cannot take) says the folder
// is out of the walk's reach, and the walk passes it over.
constexpr DWORD kFailures[] = {
    ERROR_NOT_READY,               // a drive with no medium, or one pulled
    ERROR_CRC,                     // the medium cannot be read
    ERROR_GEN_FAILURE,             // the device stopped answering
    ERROR_IO_DEVICE,               // the device failed a request
    ERROR_DEVICE_NOT_CONNECTED,    // a USB drive unplugged
    ERROR_DEV_NOT_EXIST,           // a share's server went away
    ERROR_BAD_NETPATH,             // the server cannot be reached
    ERROR_NETWORK_BUSY,            // the server is too busy to answer
    ERROR_BAD_NET_RESP,            // the server answered nonsense
    ERROR_UNEXP_NET_ERR,           // the network failed
    ERROR_NETNAME_DELETED,         // the connection to the share dropped
    ERROR_SEM_TIMEOUT,             // the server did not answer in time
    ERROR_NETWORK_UNREACHABLE,     // the network is down
    ERROR_CONNECTION_ABORTED,      // the connection was cut
    kCloudFileProviderNotRunning,  // a sync client whose folders are placeholders is not running
};

}  // namespace

bool IsDeviceOrConnectionFailure(DWORD error)
{
    return std::find(std::begin(kFailures), std::end(kFailures), error) != std::end(kFailures);
}
