#include <kyr/io/diagnosed_load.hpp>

#include <kyr/io/container.hpp>
#include <kyr/io/document_loading.hpp>
#include <kyr/lmx/xml_reader.hpp>

#include <sys/stat.h>

#include <new>
#include <optional>
#include <stdexcept>

namespace kyr::io {

namespace {

using com_kyrandel_v2::Kyr;

// Running out of memory ends the load like any other failure that has no place.
template <typename Load>
lmx::elmx_error guarded(kyr::diagnostics& found, Load load)
{
    try {
        return load();
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    found.add(lmx::ELMX_UNDEFINED_ERROR, "out of memory");
    return lmx::ELMX_UNDEFINED_ERROR;
}

lmx::elmx_error load_container(const std::string& path, Kyr& document, kyr::diagnostics& found, checking mode)
{
    std::optional<Kyr> before;
    lmx::elmx_error code = lmx::ELMX_OK;
    std::string reason;
    std::size_t entries = 0;
    const bool read = parse_first_entry(
        path,
        [&](lmx::c_read& entry) {
            before.emplace(document);
            lmx::c_xml_reader reader(entry);
            code = load_with_diagnostics(reader, document, found, mode);
        },
        &reason, &entries);
    if (!read) {
        if (before)
            document.swap(*before);
        found.add(lmx::ELMX_USER_DEFINED_1, "not a readable .kyrz container: " + reason);
        return lmx::ELMX_USER_DEFINED_1;
    }
    if (entries > 1) {
        found.add(lmx::ELMX_USER_DEFINED_1,
                  "more than one entry in the container (" + std::to_string(entries)
                      + "); only the first is read");
        if (code == lmx::ELMX_OK)
            code = lmx::ELMX_USER_DEFINED_1;
    }
    return code;
}

} // namespace

lmx::elmx_error load_with_diagnostics(lmx::c_xml_reader& reader, Kyr& document, kyr::diagnostics& found,
                                      checking mode)
{
    reader.set_strict(mode == checking::strict);
    reader.set_error_sink(&found);
    const lmx::elmx_error code = document.unmarshal(reader);
    reader.set_error_sink(nullptr);
    found.finish(reader, code);
    return found.first_code();
}

lmx::elmx_error load_file_with_diagnostics(const std::string& path, Kyr& document, kyr::diagnostics& found,
                                           checking mode)
{
    return guarded(found, [&] {
        if (names_container(path))
            return load_container(path, document, found, mode);
        struct stat info;
        lmx::c_xml_reader_file reader(path.c_str());
        if (path.find('\0') != std::string::npos
            || (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) || !reader.is_open()) {
            found.add(lmx::ELMX_NO_FILE, "cannot open " + path);
            return lmx::ELMX_NO_FILE;
        }
        return load_with_diagnostics(reader, document, found, mode);
    });
}

lmx::elmx_error load_string_with_diagnostics(std::string_view xml, Kyr& document, kyr::diagnostics& found,
                                             checking mode)
{
    return guarded(found, [&] {
        lmx::c_xml_reader_memory reader(xml.data(), xml.size());
        return load_with_diagnostics(reader, document, found, mode);
    });
}

} // namespace kyr::io
