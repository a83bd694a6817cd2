// SPDX-License-Identifier: MIT
// A small SVG document builder: shapes and text, escaped and written as well-formed XML.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tavrisk_tool {

// text made safe for XML character data and attribute values: markup characters escaped, bytes
// that are not UTF-8 and control characters replaced.
std::string xmlText(std::string const& text);

struct Stroke {
    std::string colour = "none";
    double width = 0.0;
    std::string dash;  // a dash pattern such as "6 4"; empty for a solid line
};

class SvgDocument {
public:
    SvgDocument(double width, double height);

    void rect(double x, double y, double width, double height, std::string const& fill,
              Stroke const& stroke = Stroke());
    // cls marks circles that a reader of the file may count (one "point" a measured point).
    void circle(double cx, double cy, double r, std::string const& fill, std::string const& cls,
                Stroke const& stroke = Stroke());
    void line(double x1, double y1, double x2, double y2, Stroke const& stroke);
    void polyline(std::vector<std::pair<double, double>> const& points, Stroke const& stroke);
    // anchor: "start", "middle" or "end". A halo outlines the letters in white so that they
    // stay legible over coloured marks.
    void text(double x, double y, std::string const& content, double size,
              std::string const& anchor = "start", bool bold = false,
              std::string const& fill = "#222222", bool halo = false);
    // A group rotated by degrees about (x, y), for a vertical axis title; close with endGroup.
    void beginRotated(double degrees, double x, double y);
    void endGroup();

    std::string str() const;
    // Throws FileProblem naming the path when the file cannot be written.
    void save(std::string const& path) const;

private:
    double width_;
    double height_;
    std::string body_;
};

}  // namespace tavrisk_tool
