// SPDX-License-Identifier: MIT
#include "calc/request/light_reading.h"

#include "calc/request/cell_file.h"

#include "calc/calculators/messages.h"
#include "calc/text/field_text.h"
#include "calc/text/number_text.h"

#include <cmath>

namespace lumora {

namespace {

using R = LightRequest;

// A number's text read by the window's typing rules into its field; the
// refusal in words otherwise.
std::optional<std::string> ReadNumberText(const LightInputRow& row, const std::string& text, LightRequest& request,
                                          NumberField field)
{
    const NumberKind kind = row.Kind == InputKind::Whole ? NumberKind::Whole : NumberKind::Decimal;
    // A temperature may be below 0: its "-" aside, the window's rule.
    const std::string_view digits =
        row.Kind == InputKind::Signed && text.rfind('-', 0) == 0 ? std::string_view(text).substr(1) : text;
    if (!IsTypeableText(digits, kind))
        return NotANumberSentence(row.Caption, text, kind);
    if (IsLonePoint(digits) || IsBlank(digits))
        return std::string(ErrorMessage(ErrorWindow::Form7));
    // As the calculators refuse it: a number no double holds.
    const double value = *ReadNumber(text);
    if (!std::isfinite(value))
        return std::string(row.Caption) + " holds a number too large to calculate with";
    request.*field = value;
    return std::nullopt;
}

} // namespace

ReadLight ReadLightInputs(const LightInputs& inputs)
{
    ReadLight read;
    // Every number first, in the rows' order, each refusal kept.
    for (const LightInputRow& row : LightInputRows()) {
        const NumberField* field = std::get_if<NumberField>(&row.Field);
        const std::optional<std::string> text = inputs.Text(row.Key);
        if (!field || !text)
            continue;
        if (std::optional<std::string> refusal = ReadNumberText(row, *text, read.Request, *field))
            read.Refusals.push_back({std::string(row.Key), std::move(*refusal)});
    }
    if (inputs.CellFile) {
        const auto& [name, text] = *inputs.CellFile;
        std::variant<CellFile, std::string> file = ReadCellFile(text);
        if (const std::string* refusal = std::get_if<std::string>(&file))
            read.Refusals.push_back({"cell-file", name + ": " + *refusal});
        else
            read.Request.Own =
                LightRequest::OwnCell{name, std::get<CellFile>(file).Name, std::get<CellFile>(file).Model};
    }
    if (!read.Refusals.empty())
        return read;
    // Then the texts: the first that names no choice or pack, or no input.
    for (const auto& [key, text] : inputs.Texts) {
        const LightInputRow* row = LightInputNamed(key);
        std::string refusal = !row ? "there is no input \"" + key + "\"" : row->Check ? row->Check(text) : "";
        if (!refusal.empty()) {
            read.Refusals.push_back({row ? key : "", std::move(refusal)});
            read.Usage = true;
            return read;
        }
        PlaceText(read.Request, *row, text);
    }
    return read;
}

std::optional<double> ValueOf(const LightRequest& request, NumberField field)
{
    if (request.*field)
        return request.*field;
    const LightInputRow& row = RowOf(field);
    return row.Default.empty() ? std::nullopt : ReadNumber(row.Default);
}

std::string ValueOf(const LightRequest& request, TextField field)
{
    return (request.*field).value_or(std::string(RowOf(field).Default));
}

} // namespace lumora
