// Version of the Kyr library.
#ifndef KYR_VERSION_HPP
#define KYR_VERSION_HPP

#define KYR_VERSION_MAJOR 1
#define KYR_VERSION_MINOR 0
#define KYR_VERSION_PATCH 0
#define KYR_VERSION_STRING "1.0.0"

#endif
