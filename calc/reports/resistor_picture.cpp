// SPDX-License-Identifier: MIT
#include "calc/reports/resistor_picture.h"

#include "calc/light/colour_code.h"
#include "calc/reports/svg_picture.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <algorithm>

namespace lumora {

namespace {

constexpr double Width = 440;
constexpr int MostDrawnLeds = 6;
// Wires, plates and outlines in the picture's colour: dark on its own white
// ground, the page's text colour in the page's theme.
constexpr const char* Wire = "stroke=\"currentColor\" stroke-width=\"2\"";

std::string BandNames(const ColourCode& code)
{
    std::string names;
    for (const ColourBand& band : code.Bands)
        names += (names.empty() ? "" : ", ") + std::string(band.Name);
    return names;
}

// The part itself, large: leads, a body and its bands, left to right.
void DrawPart(std::string& svg, const ColourCode& code)
{
    SvgLine(svg, 60, 60, 380, 60, "stroke=\"#8c8c8c\" stroke-width=\"4\"");
    svg += "<rect x=\"130\" y=\"36\" width=\"180\" height=\"48\" rx=\"16\" fill=\"#e8d3a9\" stroke=\"#6b5a3a\"/>\n";
    const std::size_t count = code.Bands.size();
    for (std::size_t i = 0; i < count; ++i) {
        // The tolerance band stands apart, at the right end.
        const bool tolerance = code.HasToleranceBand && i + 1 == count;
        const double x = tolerance ? 282 : 150 + 26.0 * static_cast<double>(i);
        svg += "<rect x=\"" + Px(x) + "\" y=\"37\" width=\"12\" height=\"46\" fill=\"" +
               std::string(code.Bands[i].Hex) + "\" stroke=\"#444444\" stroke-width=\"0.5\"/>\n";
    }
}

// An LED pointing right (anode left) centred at x, y, or down when 'down'.
void DrawLed(std::string& svg, double x, double y, bool down)
{
    const std::string points =
        down ? Px(x - 9) + "," + Px(y - 8) + " " + Px(x + 9) + "," + Px(y - 8) + " " + Px(x) + "," + Px(y + 8)
             : Px(x - 8) + "," + Px(y - 9) + " " + Px(x - 8) + "," + Px(y + 9) + " " + Px(x + 8) + "," + Px(y);
    svg += "<polygon points=\"" + points + "\" fill=\"#fff6bf\" stroke=\"currentColor\" stroke-width=\"1.5\"/>\n";
    if (down)
        SvgLine(svg, x - 9, y + 8, x + 9, y + 8, Wire);
    else
        SvgLine(svg, x + 8, y - 9, x + 8, y + 9, Wire);
}

// The resistor as a schematic box with its bands, between x and x + 60 at y.
void DrawSchematicResistor(std::string& svg, double x, double y, const ColourCode* code)
{
    svg += "<rect x=\"" + Px(x) + "\" y=\"" + Px(y - 9) + "\" width=\"60\" height=\"18\" fill=\"#e8d3a9\" " + Wire +
           "/>\n";
    if (!code)
        return;
    for (std::size_t i = 0; i < code->Bands.size(); ++i)
        svg += "<rect x=\"" + Px(x + 8 + 10.0 * static_cast<double>(i)) + "\" y=\"" + Px(y - 8) +
               "\" width=\"5\" height=\"16\" fill=\"" + std::string(code->Bands[i].Hex) + "\"/>\n";
}

// Battery, resistor and LEDs: a loop from the battery's + along the top,
// back along the bottom to its −.
double DrawCircuit(std::string& svg, const ResistorPicture& picture, const ColourCode* code)
{
    const double top = 170, left = 40;
    const int drawn = std::min(picture.LedCount, MostDrawnLeds);
    const bool parallel = picture.Wiring == Wiring::Parallel && picture.LedCount > 1;
    const double bottom = parallel ? top + 90 : top + 70;
    // The battery: a long and a short plate, + on top.
    SvgLine(svg, left, top, left, top + 22, Wire);
    SvgLine(svg, left - 14, top + 22, left + 14, top + 22, Wire);
    SvgLine(svg, left - 8, top + 30, left + 8, top + 30, "stroke=\"currentColor\" stroke-width=\"4\"");
    SvgLine(svg, left, top + 30, left, bottom, Wire);
    SvgText(svg, left - 20, top + 20, "+", "middle", " font-size=\"14\"");
    SvgLine(svg, left, top, 90, top, Wire);
    DrawSchematicResistor(svg, 90, top, code);
    const double start = 150, pitch = 40;
    if (!parallel) {
        double x = start;
        for (int i = 0; i < drawn; ++i, x += pitch) {
            SvgLine(svg, x, top, x + pitch / 2 - 8, top, Wire);
            DrawLed(svg, x + pitch / 2, top, false);
            SvgLine(svg, x + pitch / 2 + 8, top, x + pitch, top, Wire);
        }
        SvgLine(svg, x, top, x, bottom, Wire);
        SvgLine(svg, x, bottom, left, bottom, Wire);
    } else {
        const double last = start + pitch * (drawn - 1);
        SvgLine(svg, start - 20, top, last, top, Wire);
        for (int i = 0; i < drawn; ++i) {
            const double x = start + pitch * i;
            SvgLine(svg, x, top, x, top + 37, Wire);
            DrawLed(svg, x, top + 45, true);
            SvgLine(svg, x, top + 53, x, bottom, Wire);
        }
        SvgLine(svg, last, bottom, left, bottom, Wire);
    }
    const std::string count = DoubleText(static_cast<double>(picture.LedCount));
    std::string caption = picture.LedCount == 1 ? "1 LED"
                          : parallel            ? count + " LEDs in parallel on the one resistor"
                                                : count + " LEDs in series";
    if (picture.LedCount > drawn)
        caption += " (" + DoubleText(drawn) + " drawn)";
    SvgText(svg, Width / 2, bottom + 26, caption, "middle", " font-size=\"15\"");
    return bottom + 36;
}

} // namespace

ResistorPicture PictureToBuy(const ResistorToBuy& bought, std::optional<ESeries> series, Wiring wiring)
{
    ResistorPicture picture;
    picture.Series = series.value_or(ESeries::E24);
    picture.Wiring = wiring;
    if (bought.Rows.empty())
        return picture;
    const ChoiceRow* chosen = &bought.Rows.front();
    for (const ChoiceRow& row : bought.Rows)
        if (row.Buy)
            chosen = &row;
    const ResistorFields& fields = chosen->Outcome.Fields;
    picture.OhmsText = fields.Resistance;
    picture.Ohms = ReadNumber(fields.Resistance).value_or(-1.0);
    picture.LedCount = static_cast<int>(std::clamp(ReadNumber(fields.LedCount).value_or(1.0), 1.0, 1e6));
    return picture;
}

std::string ColourBandsText(double ohms, ESeries series)
{
    const std::optional<ColourCode> code = ColourCodeOf(ohms, series);
    return code ? BandNames(*code) : std::string();
}

std::string ResistorPictureSvg(const ResistorPicture& picture)
{
    const std::optional<ColourCode> code = ColourCodeOf(picture.Ohms, picture.Series);
    const std::string value = picture.OhmsText + " ohm";
    const std::string series(SeriesName(picture.Series));
    const std::string words =
        code ? value + " " + std::string(code->Tolerance) + " (" + series + "): " + BandNames(*code)
        : InSeries(picture.Ohms, picture.Series)
            ? value + ": no colour bands carry this value"
            : value + " is not an " + series + " value: choose one of the series to buy";
    std::string body;
    if (code)
        DrawPart(body, *code);
    SvgText(body, Width / 2, 120, words, "middle", " font-size=\"15\"");
    const double height = DrawCircuit(body, picture, code ? &*code : nullptr);
    const std::string colour = picture.Themed ? " fill=\"currentColor\"" : " color=\"#222222\"";
    return SvgOpen(Width, height, !picture.Themed, colour + " role=\"img\" aria-label=\"" + Escaped(words) + "\"") +
           "<title>" + Escaped(words) + "</title>\n" + body + SvgClose;
}

} // namespace lumora
