// SPDX-License-Identifier: MIT
#include "svg_writer.h"

#include <cmath>

#include "formatted.h"
#include "output_file.h"
#include "tool_error.h"

namespace tavrisk_tool {

namespace {

// Coordinates and sizes to a hundredth of a page unit: finer than any screen or printer shows,
// and no more digits than that in files of many thousand marks. One that is not a finite
// number would make the file unreadable (or draw a mark nowhere) and comes only from a figure
// that is not one either.
std::string number(double value) {
    if (!std::isfinite(value)) {
        throw Refusal("the map cannot be drawn: a position on it is not a finite number");
    }
    return formatted("%.2f", value);
}

std::string strokeAttributes(Stroke const& stroke) {
    std::string out = " stroke=\"" + xmlText(stroke.colour) + "\"";
    if (stroke.width > 0.0) {
        out += " stroke-width=\"" + number(stroke.width) + "\"";
    }
    if (!stroke.dash.empty()) {
        out += " stroke-dasharray=\"" + xmlText(stroke.dash) + "\"";
    }
    return out;
}

// The length of the UTF-8 sequence starting at text[i], or 0 when it is not a valid one.
std::size_t utf8Length(std::string const& text, std::size_t i) {
    unsigned char const lead = static_cast<unsigned char>(text[i]);
    std::size_t length;
    unsigned minimum;
    unsigned code;
    if (lead < 0x80) {
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        unsigned char const next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (next & 0x3F);
    }
    bool const surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < minimum || code > 0x10FFFF || surrogate ? 0 : length;
}

}  // namespace

std::string xmlText(std::string const& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        unsigned char const c = static_cast<unsigned char>(text[i]);
        std::size_t const length = utf8Length(text, i);
        if (length == 0 || (c < 0x20 && c != '\t' && c != '\n')) {
            out += "\xEF\xBF\xBD";  // the replacement character
            i += length == 0 ? 1 : length;
            continue;
        }
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out.append(text, i, length);
        }
        i += length;
    }
    return out;
}

SvgDocument::SvgDocument(double width, double height) : width_(width), height_(height) {}

void SvgDocument::rect(double x, double y, double width, double height, std::string const& fill,
                       Stroke const& stroke) {
    body_ += "<rect x=\"" + number(x) + "\" y=\"" + number(y) + "\" width=\"" + number(width) +
             "\" height=\"" + number(height) + "\" fill=\"" + xmlText(fill) + "\"" +
             strokeAttributes(stroke) + "/>\n";
}

void SvgDocument::circle(double cx, double cy, double r, std::string const& fill,
                         std::string const& cls, Stroke const& stroke) {
    body_ += "<circle class=\"" + xmlText(cls) + "\" cx=\"" + number(cx) + "\" cy=\"" + number(cy) +
             "\" r=\"" + number(r) + "\" fill=\"" + xmlText(fill) + "\"" +
             (stroke.colour == "none" ? std::string() : strokeAttributes(stroke)) + "/>\n";
}

void SvgDocument::line(double x1, double y1, double x2, double y2, Stroke const& stroke) {
    body_ += "<line x1=\"" + number(x1) + "\" y1=\"" + number(y1) + "\" x2=\"" + number(x2) +
             "\" y2=\"" + number(y2) + "\"" + strokeAttributes(stroke) + "/>\n";
}

void SvgDocument::polyline(std::vector<std::pair<double, double>> const& points,
                           Stroke const& stroke) {
    body_ += "<polyline fill=\"none\"" + strokeAttributes(stroke) + " points=\"";
    for (auto const& p : points) {
        body_ += number(p.first) + "," + number(p.second) + " ";
    }
    body_ += "\"/>\n";
}

void SvgDocument::text(double x, double y, std::string const& content, double size,
                       std::string const& anchor, bool bold, std::string const& fill, bool halo) {
    body_ += "<text x=\"" + number(x) + "\" y=\"" + number(y) + "\" font-size=\"" + number(size) +
             "\" text-anchor=\"" + xmlText(anchor) + "\" fill=\"" + xmlText(fill) + "\"" +
             (bold ? " font-weight=\"bold\"" : "") +
             (halo ? " stroke=\"#ffffff\" stroke-width=\"4\" stroke-linejoin=\"round\""
                     " paint-order=\"stroke\""
                   : "") +
             ">" + xmlText(content) + "</text>\n";
}

void SvgDocument::beginRotated(double degrees, double x, double y) {
    body_ +=
        "<g transform=\"rotate(" + number(degrees) + " " + number(x) + " " + number(y) + ")\">\n";
}

void SvgDocument::endGroup() {
    body_ += "</g>\n";
}

std::string SvgDocument::str() const {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           number(width_) + "\" height=\"" + number(height_) + "\" viewBox=\"0 0 " +
           number(width_) + " " + number(height_) +
           "\" font-family=\"DejaVu Sans, Helvetica, Arial, sans-serif\">\n"
           "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n" +
           body_ + "</svg>\n";
}

void SvgDocument::save(std::string const& path) const {
    writeWholeFile(path, str());
}

}  // namespace tavrisk_tool
