// Umbrella header: everything a program needs to read, build and write Kyr documents.
#pragma once

#include <kyr/version.hpp>
