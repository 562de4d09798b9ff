#include "markup.hpp"
#include "page_writers.hpp"
#include "spectrum_plot.hpp"

namespace kyr_tool {
namespace {

const char* const style = R"(
:root{color-scheme:light dark;--ink:#1a1a1a;--paper:#fafaf8;--card:#fff;--line:#cfcfcf;--muted:#555;--bad:#b3261e;--good:#1b7a2e;--warn:#8a5a00}
@media (prefers-color-scheme:dark){:root{--ink:#e6e6e6;--paper:#17181b;--card:#222428;--line:#3c3f44;--muted:#a9adb3;--bad:#ff8a80;--good:#7ddc8f;--warn:#ffd36b}}
@media print{:root{--ink:#000;--paper:#fff;--card:#fff;--line:#999;--muted:#333}body{padding:0}}
body{margin:0;padding:24px;background:var(--paper);color:var(--ink);font:13px/1.4 system-ui,-apple-system,"Segoe UI",sans-serif}
h1{font-size:22px;margin:0 0 4px}h2{font-size:17px;margin:28px 0 10px;border-bottom:1px solid var(--line)}h3{font-size:14px;margin:16px 0 8px}
.facts{margin:0;color:var(--muted)}
.grid,.qc{display:flex;flex-wrap:wrap;gap:12px;align-items:flex-start}
.swatch{margin:0;width:184px;background:var(--card);border:1px solid var(--line);border-radius:6px;overflow:hidden;break-inside:avoid;page-break-inside:avoid}
.patch{position:relative;height:96px;-webkit-print-color-adjust:exact;print-color-adjust:exact}
.none{background:repeating-linear-gradient(45deg,HATCH_DARK 0 6px,HATCH_LIGHT 6px 12px)}
.clipped::before,.clipped::after{content:"";position:absolute;top:0;right:0;border-style:solid}
.clipped::before{border-width:0 30px 30px 0;border-color:transparent #fff transparent transparent}
.clipped::after{border-width:0 26px 26px 0;border-color:transparent CLIPPED_MARK transparent transparent}
figcaption{padding:6px 8px;overflow-wrap:anywhere}
.role{text-transform:uppercase;font-size:10px;letter-spacing:.06em;color:var(--muted)}
.name{font-weight:600}.small{font-size:11px;color:var(--muted)}.alert{color:var(--bad)}
svg.plot{display:block;margin:0 8px 8px;width:168px;height:96px;color:var(--muted)}
table{border-collapse:collapse;margin:10px 0 18px}th,td{border:1px solid var(--line);padding:3px 8px;text-align:left}
.pass{color:var(--good)}.warn{color:var(--warn);font-weight:600}.fail{color:var(--bad);font-weight:700}
)";

void replace_all(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

void append_element(std::string& out, const char* tag, const char* css_class, const std::string& text)
{
    out += '<';
    out += tag;
    if (css_class) {
        out += " class=\"";
        out += css_class;
        out += '"';
    }
    out += '>';
    append_escaped(out, text);
    out += "</";
    out += tag;
    out += '>';
}

void append_swatch(std::string& out, const swatch& shown, const char* role = nullptr)
{
    out += "<figure class=\"swatch\">";
    if (shown.rgb) {
        out += shown.clipped ? "<div class=\"patch clipped\" style=\"background:"
                             : "<div class=\"patch\" style=\"background:";
        out += hex_colour(*shown.rgb);
        out += "\"></div>";
    } else {
        out += "<div class=\"patch none\"></div>";
    }
    out += "<figcaption>";
    if (role)
        append_element(out, "div", "role", role);
    append_element(out, "div", "name", shown.name);
    if (!shown.number.empty())
        append_element(out, "div", "small", shown.number);
    if (shown.rgb)
        append_element(out, "div", nullptr, shown.origin);
    else
        append_element(out, "div", "alert", "Not shown: " + shown.note);
    if (shown.clipped)
        append_element(out, "div", "alert", clipped_text);
    for (const std::string& line : shown.values)
        append_element(out, "div", "small", line);
    out += "</figcaption>";
    for (const spectrum_curve& curve : shown.spectra) {
        out += "<svg class=\"plot\" viewBox=\"0 0 168 96\" role=\"img\" aria-label=\"Reflectance curve\">";
        append_spectrum_plot(out, curve, 0, 0);
        out += "</svg>";
    }
    out += "</figure>\n";
}

void append_group(std::string& out, const swatch_group& group, const char* heading)
{
    if (group.swatches.empty())
        return;
    append_element(out, heading, nullptr, group.title);
    out += "\n<div class=\"grid\">\n";
    for (const swatch& shown : group.swatches)
        append_swatch(out, shown);
    out += "</div>\n";
}

void append_verdicts(std::string& out, const std::vector<qc_line>& lines)
{
    if (lines.empty())
        return;
    out += "<table><tr><th>Measurement</th><th>Tolerance</th><th>Function</th><th>Difference</th>"
           "<th>Limits</th><th>Verdict</th></tr>\n";
    for (const qc_line& line : lines) {
        out += "<tr>";
        for (const std::string* cell :
             {&line.measurement, &line.tolerance, &line.function, &line.value, &line.limits})
            append_element(out, "td", nullptr, *cell);
        const std::string verdict_class =
            line.verdict == "pass" || line.verdict == "warn" || line.verdict == "fail"
            ? line.verdict
            : std::string("small"); // values and lines not evaluated
        append_element(out, "td", verdict_class.c_str(), line.verdict);
        out += "</tr>\n";
    }
    out += "</table>\n";
}

void append_record(std::string& out, const qc_record& record)
{
    append_element(out, "h2", nullptr, "Quality control: " + record.title);
    if (!record.description.empty())
        append_element(out, "p", "facts", record.description);
    for (const qc_standard& standard : record.standards) {
        out += "<div class=\"qc\">\n";
        append_swatch(out, standard.standard, "Standard");
        for (const swatch& measurement : standard.measurements)
            append_swatch(out, measurement, "Measurement");
        out += "</div>\n";
        append_verdicts(out, standard.lines);
    }
}

} // namespace

std::string html_page(const page& shown)
{
    std::string css = style;
    replace_all(css, "HATCH_DARK", hatch_dark);
    replace_all(css, "HATCH_LIGHT", hatch_light);
    replace_all(css, "CLIPPED_MARK", clipped_mark);

    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                      "<meta name=\"color-scheme\" content=\"light dark\">\n";
    append_element(out, "title", nullptr, shown.title);
    out += "\n<style>" + css + "</style>\n</head>\n<body>\n<header>";
    append_element(out, "h1", nullptr, shown.title);
    for (const std::string& fact : shown.facts)
        append_element(out, "p", "facts", fact);
    out += "</header>\n";
    append_group(out, shown.colours, "h2");
    for (const palette_section& palette : shown.palettes) {
        append_element(out, "h2", nullptr, palette.title);
        for (const swatch_group& set : palette.sets)
            append_group(out, set, "h3");
    }
    for (const qc_record& record : shown.records)
        append_record(out, record);
    out += "</body>\n</html>\n";
    return out;
}

} // namespace kyr_tool
