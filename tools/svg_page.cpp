#include "markup.hpp"
#include "page_writers.hpp"
#include "spectrum_plot.hpp"

#include <algorithm>

namespace kyr_tool {
namespace {

// A fixed grid: SVG has no flowing layout, so the writer places every card itself.
constexpr int columns = 5;
constexpr double margin = 24, card_width = 184, gap = 12, patch_height = 96, line_height = 14;
constexpr double page_width = 2 * margin + columns * card_width + (columns - 1) * gap;
// Characters of a line that fit a card at the caption's sizes (11 and 10 pixels), and a page.
constexpr size_t line_characters = 28, small_line_characters = 32, page_line_characters = 160;
constexpr size_t lines_per_caption_item = 3;

struct caption_line
{
    std::string text;
    const char* css_class;
};

bool continuation_byte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

size_t characters(const std::string& text)
{
    size_t count = 0;
    for (const char c : text)
        count += !continuation_byte(c);
    return count;
}

// Where character `n` of `text` starts (the size when it has fewer).
size_t byte_offset(const std::string& text, size_t n)
{
    for (size_t i = 0; i < text.size(); ++i)
        if (!continuation_byte(text[i]) && n-- == 0)
            return i;
    return text.size();
}

// Cuts `text` to `limit` characters (not bytes: a UTF-8 sequence is never split), with an ellipsis.
std::string fitted(const std::string& text, size_t limit)
{
    if (characters(text) <= limit)
        return text;
    return text.substr(0, byte_offset(text, limit - 1)) + "…";
}

// `text` broken at spaces into lines of at most `limit` characters; the last of `lines_per_caption_item`
// lines is cut short.
void add_wrapped(std::vector<caption_line>& lines, const std::string& text, const char* css_class)
{
    const size_t limit =
        css_class && std::string(css_class) == "small" ? small_line_characters : line_characters;
    std::string rest = text;
    for (size_t n = 1; n < lines_per_caption_item && characters(rest) > limit; ++n) {
        size_t cut = byte_offset(rest, limit);
        const size_t space = rest.rfind(' ', cut);
        cut = space != std::string::npos && space > 0 ? space : cut;
        lines.push_back({rest.substr(0, cut), css_class});
        rest = rest.substr(rest[cut] == ' ' ? cut + 1 : cut);
    }
    lines.push_back({fitted(rest, limit), css_class});
}

std::vector<caption_line> caption_of(const swatch& shown, const char* role)
{
    std::vector<caption_line> lines;
    if (role)
        lines.push_back({role, "role"});
    add_wrapped(lines, shown.name, "name");
    if (!shown.number.empty())
        add_wrapped(lines, shown.number, "small");
    if (shown.rgb)
        add_wrapped(lines, shown.origin, nullptr);
    else
        add_wrapped(lines, "Not shown: " + shown.note, "alert");
    if (shown.clipped)
        lines.push_back({clipped_text, "alert"});
    for (const std::string& value : shown.values)
        add_wrapped(lines, value, "small");
    return lines;
}

double card_height(const swatch& shown, const char* role)
{
    return patch_height + 8 + caption_of(shown, role).size() * line_height
        + shown.spectra.size() * (plot_height + 4);
}

class svg_writer
{
public:
    void heading(const std::string& text, double size)
    {
        m_y += size + 14;
        m_out += "<text class=\"heading\" x=\"";
        append_coordinate(m_out, margin);
        m_out += "\" y=\"";
        append_coordinate(m_out, m_y);
        m_out += "\" font-size=\"";
        append_coordinate(m_out, size);
        m_out += "\">";
        append_escaped(m_out, fitted(text, 90));
        m_out += "</text>\n";
        m_y += 10;
    }

    // Cards in rows of `columns`, each row as tall as its tallest card.
    void cards(const std::vector<const swatch*>& swatches, const std::vector<const char*>& roles)
    {
        for (size_t first = 0; first < swatches.size(); first += columns) {
            const size_t last = std::min(swatches.size(), first + columns);
            double row_height = 0;
            for (size_t i = first; i < last; ++i)
                row_height = std::max(row_height, card_height(*swatches[i], roles[i]));
            for (size_t i = first; i < last; ++i)
                card(*swatches[i], roles[i], margin + (i - first) * (card_width + gap), row_height);
            m_y += row_height + gap;
        }
    }

    void text(const std::string& line, const char* css_class)
    {
        m_y += line_height;
        add_text(margin, m_y, line, css_class, page_line_characters);
        m_y += 4;
    }

    std::string finish(const std::string& title)
    {
        std::string out =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"";
        append_coordinate(out, page_width);
        out += "\" height=\"";
        append_coordinate(out, m_y + margin);
        out += "\" viewBox=\"0 0 ";
        append_coordinate(out, page_width);
        out += ' ';
        append_coordinate(out, m_y + margin);
        out += "\" font-family=\"system-ui, sans-serif\" font-size=\"11\" color=\"#1A1A1A\" "
               "fill=\"#1A1A1A\">\n<title>";
        append_escaped(out, title);
        out += "</title>\n<defs><pattern id=\"hatch\" patternUnits=\"userSpaceOnUse\" width=\"12\" "
               "height=\"12\" "
               "patternTransform=\"rotate(45)\"><rect width=\"6\" height=\"12\" fill=\"";
        out += hatch_dark;
        out += "\"/><rect x=\"6\" width=\"6\" height=\"12\" fill=\"";
        out += hatch_light;
        out += "\"/></pattern></defs>\n<style>.heading{font-weight:600}.name{font-weight:600}"
               ".small{font-size:10px;fill:#555}.role{font-size:9px;fill:#555;letter-spacing:.06em}"
               ".alert{fill:#B3261E}.plot{color:#555}</style>\n<rect width=\"100%\" height=\"100%\" "
               "fill=\"#FAFAF8\"/>\n";
        return out + m_out + "</svg>\n";
    }

private:
    void add_text(double x, double y, const std::string& line, const char* css_class,
                  size_t limit = line_characters)
    {
        m_out += "<text x=\"";
        append_coordinate(m_out, x);
        m_out += "\" y=\"";
        append_coordinate(m_out, y);
        m_out += '"';
        if (css_class) {
            m_out += " class=\"";
            m_out += css_class;
            m_out += '"';
        }
        m_out += '>';
        append_escaped(m_out, fitted(line, limit));
        m_out += "</text>";
    }

    void rect(double x, double y, double width, double height, const std::string& fill,
              const char* extra = "")
    {
        m_out += "<rect x=\"";
        append_coordinate(m_out, x);
        m_out += "\" y=\"";
        append_coordinate(m_out, y);
        m_out += "\" width=\"";
        append_coordinate(m_out, width);
        m_out += "\" height=\"";
        append_coordinate(m_out, height);
        m_out += "\" fill=\"" + fill + '"';
        m_out += extra;
        m_out += "/>";
    }

    void card(const swatch& shown, const char* role, double x, double height)
    {
        m_out += "<g>";
        rect(x, m_y, card_width, height, "#FFFFFF", " stroke=\"#CFCFCF\" rx=\"6\"");
        rect(x, m_y, card_width, patch_height,
             shown.rgb ? hex_colour(*shown.rgb) : std::string("url(#hatch)"));
        if (shown.clipped) {
            const double right = x + card_width;
            m_out += "<path d=\"M";
            append_coordinate(m_out, right - 28);
            m_out += ' ';
            append_coordinate(m_out, m_y);
            m_out += "H";
            append_coordinate(m_out, right);
            m_out += "V";
            append_coordinate(m_out, m_y + 28);
            m_out += "Z\" fill=\"";
            m_out += clipped_mark;
            m_out += "\" stroke=\"#FFFFFF\" stroke-width=\"2\"/>";
        }
        double y = m_y + patch_height + 4;
        for (const caption_line& line : caption_of(shown, role)) {
            y += line_height;
            add_text(x + 8, y, line.text, line.css_class, page_line_characters); // already wrapped
        }
        y += 6;
        for (const spectrum_curve& curve : shown.spectra) {
            append_spectrum_plot(m_out, curve, x + 8, y);
            y += plot_height + 4;
        }
        m_out += "</g>\n";
    }

    std::string m_out;
    double m_y = margin;
};

void add_group(svg_writer& writer, const swatch_group& group, double heading_size)
{
    if (group.swatches.empty())
        return;
    writer.heading(group.title, heading_size);
    std::vector<const swatch*> swatches;
    for (const swatch& shown : group.swatches)
        swatches.push_back(&shown);
    writer.cards(swatches, std::vector<const char*>(swatches.size(), nullptr));
}

} // namespace

std::string svg_page(const page& shown)
{
    svg_writer writer;
    writer.heading(shown.title, 22);
    for (const std::string& fact : shown.facts)
        writer.text(fact, "small");
    add_group(writer, shown.colours, 17);
    for (const palette_section& palette : shown.palettes) {
        writer.heading(palette.title, 17);
        for (const swatch_group& set : palette.sets)
            add_group(writer, set, 14);
    }
    for (const qc_record& record : shown.records) {
        writer.heading("Quality control: " + record.title, 17);
        if (!record.description.empty())
            writer.text(record.description, "small");
        for (const qc_standard& standard : record.standards) {
            std::vector<const swatch*> swatches{&standard.standard};
            std::vector<const char*> roles{"STANDARD"};
            for (const swatch& measurement : standard.measurements) {
                swatches.push_back(&measurement);
                roles.push_back("MEASUREMENT");
            }
            writer.cards(swatches, roles);
            for (const qc_line& line : standard.lines)
                writer.text(line.measurement + " · " + line.tolerance + " · " + line.function + " "
                                + line.value + (line.limits.empty() ? "" : " · limits " + line.limits) + " · "
                                + line.verdict,
                            line.verdict == "fail" ? "alert" : nullptr);
        }
    }
    return writer.finish(shown.title);
}

} // namespace kyr_tool
