// A map with the index the generator gave it finds what the scan of the same map finds:
// its names, and nothing for near misses, another namespace or names that share a slot.
#include "reader_fixture.hpp"

#include <iterator>
#include <vector>

using namespace lmx;

namespace {

const unsigned short k_slots[] = {4, 5, 6, 3, 2, 8, 7, 1};
const s_event_index k_index = {2074396633u, 29, k_slots};
const s_event_map k_indexed[] = {{k_ns_id_none, "Stamp", 5, 12, &k_index}, {k_ns_id_none, "Shape", 5, 13},
                                 {k_ns_id_none, "Circle", 6, 14},          {k_ns_id_none, "Weight", 6, 15},
                                 {k_ns_id_none, "Count", 5, 16},           {k_ns_id_none, "Note", 4, 17},
                                 {k_ns_id_none, "Cover", 5, 18},           {k_ns_id_none, "Extra", 5, 19},
                                 {0, nullptr, 0, ELXP_UNKNOWN_ITEM}};

std::vector<int> events(const s_event_map* map)
{
    const std::string text =
        "<r><Stamp/><Shape/><Circle/><Weight/><Count/><Note/><Cover/><Extra/><Stamq/><Shap/>"
        "<Circles/><xtra/><N/><Note xmlns='urn:x'/><_/><Extra.Extra/></r>";
    lmx::c_read_memory source(text.data(), text.size());
    c_xml_reader reader(source);
    c_xml_reader_local scope(reader);
    std::vector<int> out;
    std::string name;
    elmx_error error = ELMX_OK;
    for (int event; (event = reader.get_element_event(map, &error, &name)) != ELXP_END_OF_INPUT;)
        if (event != ELXP_END_TAG && event != ELXP_VALUE)
            out.push_back(event);
    return out;
}

TEST(EventIndex, FindsWhatTheScanFinds)
{
    const std::vector<int> expected = {1, 12, 13, 14, 15, 16, 17, 18, 19, 1, 1, 1, 1, 1, 1, 1, 1};
    std::vector<s_event_map> scanned(std::begin(k_indexed), std::end(k_indexed));
    scanned[0].index = nullptr;
    EXPECT_EQ(events(scanned.data()), expected);
    EXPECT_EQ(events(k_indexed), expected);
}

} // namespace
