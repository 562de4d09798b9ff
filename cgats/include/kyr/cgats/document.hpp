// Measurement tables to Kyr documents and back. Each table becomes a colour set of one
// palette, each data set a colour named by SAMPLE_NAME (else SAMPLE_ID), carrying a value per
// colour space the fields hold. Keywords become the values' measurement conditions; the
// header lines, field order and the exact text of every number are kept as custom attributes,
// so that the tables written back from the document are the tables read.
#ifndef KYR_CGATS_DOCUMENT_HPP
#define KYR_CGATS_DOCUMENT_HPP

#include <kyr/export.hpp>

#include <kyr/cgats/table.hpp>
#include <kyr/lmx/datetime.hpp>

#include <string>
#include <vector>

namespace com_kyrandel_v2 {
class Kyr;
}

namespace kyr::cgats {

struct KYR_API import_result
{
    bool ok = true;
    std::string message; // "line 12: ...", when not ok
};

// Fills `document` (which should be empty) from `tables`: a header made by `creator`, a
// palette named `name`, every change dated `now`. On failure the document may hold part of
// the tables: callers write nothing then.
KYR_API import_result to_document(const std::vector<table>& tables, const std::string& name,
                                  const std::string& creator, const lmx::c_datetime& now,
                                  com_kyrandel_v2::Kyr& document);

// The tables of a document: one per colour set, and one for the colours outside palettes.
// Colour spaces the format has no fields for are left out; their element names are added
// to `skipped` once each ("ColorSpaceCMYK SpotColor" for the spot colours of CMYK values).
// Condition keywords come from the first tristimulus value of a table.
KYR_API std::vector<table> from_document(const com_kyrandel_v2::Kyr& document,
                                         std::vector<std::string>& skipped);

} // namespace kyr::cgats

#endif
