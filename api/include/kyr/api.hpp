// The modern interface: documents loaded and saved whole, UTF-8 text, ranges of children,
// choices read without being changed, and builders; failures are kyr::error exceptions.
#ifndef KYR_API_HPP
#define KYR_API_HPP

#include <kyr/api/builders.hpp>
#include <kyr/api/classes.hpp>
#include <kyr/api/document_io.hpp>
#include <kyr/api/error.hpp>
#include <kyr/api/handle.hpp>

#endif
